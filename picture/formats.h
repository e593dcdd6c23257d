#pragma once
// The process-wide file-format registry: which graphic kind reads files of
// an extension. Later registrations of an extension override earlier ones.
#include <string>
#include <vector>

#include "picture/graphic.h"

struct TFileFormat {
    std::u16string extension;  // lower-cased, without the dot
    std::string description;  // e.g. "Bitmaps"
    const TGraphicClass* kind;
};

class TFileFormatsList {
public:
    // Appends an entry; the extension is lower-cased.
    void Add(const std::string& extension, const std::string& description, const TGraphicClass& kind);
    // Removes every entry of the kind and of the kinds derived from it.
    void Remove(const TGraphicClass& kind);
    // Lower-cases the query by the system's rules and searches from the last
    // entry to the first; null when nothing matches.
    const TGraphicClass* FindByExtension(const std::u16string& extension) const;
    const TGraphicClass* FindByClassName(const std::string& name) const;
    const std::vector<TFileFormat>& Entries() const { return entries_; }

private:
    std::vector<TFileFormat> entries_;
};

// The registry, created on first use and kept until the program ends.
TFileFormatsList& FileFormats();

// Appends a registry entry: how a kind claims an extension at start-up.
void RegisterFormat(const std::string& extension, const std::string& description, const TGraphicClass& kind);
// Removes the kind (and the kinds derived from it) from the registry.
void UnregisterKind(const TGraphicClass& kind);

// Lower-casing by the system's rules (those of Windows-1250's letters
// included).
std::u16string LowerCase(std::u16string text);
