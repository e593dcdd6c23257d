#include "picture/formats.h"

#include <windows.h>

#include <algorithm>

#include "platform/text.h"

std::u16string LowerCase(std::u16string text) {
    if (!text.empty()) CharLowerBuffW(WidePtr(text), DWORD(text.size()));
    return text;
}

void TFileFormatsList::Add(const std::string& extension, const std::string& description,
                           const TGraphicClass& kind) {
    entries_.push_back(TFileFormat{LowerCase(Wide(extension)), description, &kind});
}

void TFileFormatsList::Remove(const TGraphicClass& kind) {
    entries_.erase(std::remove_if(entries_.begin(), entries_.end(),
                                  [&kind](const TFileFormat& f) { return f.kind->InheritsFrom(kind); }),
                   entries_.end());
}

const TGraphicClass* TFileFormatsList::FindByExtension(const std::u16string& extension) const {
    const std::u16string wanted = LowerCase(extension);
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (it->extension == wanted) return it->kind;
    return nullptr;
}

const TGraphicClass* TFileFormatsList::FindByClassName(const std::string& name) const {
    for (auto it = entries_.rbegin(); it != entries_.rend(); ++it)
        if (name == it->kind->name) return it->kind;
    return nullptr;
}

TFileFormatsList& FileFormats() {
    static TFileFormatsList list;
    return list;
}

void RegisterFormat(const std::string& extension, const std::string& description, const TGraphicClass& kind) {
    FileFormats().Add(extension, description, kind);
}

void UnregisterKind(const TGraphicClass& kind) { FileFormats().Remove(kind); }
