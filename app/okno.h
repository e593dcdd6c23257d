#pragma once
// The main window: layout, menus, tool bar, status bar and the routing of
// every user action to its handler.
#include <memory>
#include <string>

#include "picture/image.h"
#include "picture/read_ahead.h"
#include "browse/directory_list_box.h"
#include "browse/drive_combo_box.h"
#include "browse/file_list_box.h"
#include "browse/filter_combo_box.h"
#include "ui/dialogs.h"
#include "ui/form.h"
#include "ui/label.h"
#include "ui/menu.h"
#include "ui/panel.h"
#include "ui/scrollbar.h"
#include "ui/statusbar.h"
#include "ui/toolbar.h"

class TOkno : public TForm {
public:
    TOkno();
    ~TOkno() override;
    const char* ClassName() const override { return "TOkno"; }

    // Creation and view.
    void FormCreate(TObject* sender);
    void Exit1Click(TObject* sender);
    void ZobrIkoClick(TObject* sender);
    void AutoSizeClick(TObject* sender);
    void FullSizeClick(TObject* sender);
    void FullScreenClick(TObject* sender);
    void Tlai1Click(TObject* sender);
    void Nastavenietlae1Click(TObject* sender);
    void OprogrameTarnikLumeno1Click(TObject* sender);
    void TarniksoftwarevsietiWWW1Click(TObject* sender);

    // Preview pane.
    void KlikniNaSubor();
    void Open1Click(TObject* sender);
    void DolnyPosuvakScroll(TObject* sender, WORD code, int& pos);
    void HornyPosuvakChange(TObject* sender);
    void LoadPreviewPicture(const std::u16string& path);
    void ResetScrolling();
    void ResetScrollPositions();  // ResetScrolling without showing the bars
    void UpdateScrollRanges();

    // Viewers, copy, properties.
    void DvojKlikniNaSubor();
    void Koprova1Click(TObject* sender);
    void Vlastnosti1Click(TObject* sender);

    // File operations.
    void Novprieinok1Click(TObject* sender);
    void Uloiobrzokako1Click(TObject* sender);
    void Premenovasbor1Click(TObject* sender);
    void VymazasborClick(TObject* sender);

    // File list and filter wiring.
    void filterChange(TObject* sender);
    void filesChange(TObject* sender);
    void filesClick(TObject* sender);
    void filesDblClick(TObject* sender);
    void filesKeyPress(TObject* sender, char16_t& key);

    // Menu items by their names in the layout tables.
    TMainMenu MainMenu1;
    TMenuItem *File1, *Novprieinok1, *Open1, *Uloiobrzokako1, *Vlastnosti1, *Nastavenietlae1, *Tlai1,
        *Exit1;
    TMenuItem *pravy1, *Koprova1, *Premenovasbor1, *Vymazasbor;
    TMenuItem *Zobrazi1, *ZobrIko, *ZobrNahlad, *Edit1, *AutoSize, *FullSize, *FullScreen;
    TMenuItem *Npoveda1, *TarniksoftwarevsietiWWW1, *OprogrameTarnikLumeno1;

    std::unique_ptr<TToolBar> IkonyPanel;
    TSpeedButton *SpeedButton1, *SpeedButton2, *SpeedButton5, *SpeedButton4, *SpeedButton3;
    std::unique_ptr<TStatusBar> DolnyPanel;
    std::unique_ptr<TScrollBar> DolnyPosuvak, HornyPosuvak;
    std::unique_ptr<TPanel> ImgPanel, Panel1;
    std::unique_ptr<TImage> Image;  // the preview picture, inside ImgPanel
    std::unique_ptr<TLabel> adresa, Label1;
    // Declared after adresa: the folder list writes into it while it lives.
    std::unique_ptr<TDirectoryListBox> Dir;
    std::unique_ptr<TFileListBox> files;
    std::unique_ptr<TDriveComboBox> disk;
    std::unique_ptr<TFilterComboBox> filter;

    TOpenDialog OpenDialog;
    TSaveDialog UlozObr;
    TPrinterSetupDialog PrintSetup;
    TPrintDialog PrintDialog;

    // Pixels per scroll position; they never take another value.
    static constexpr int HorzScrollUnit = 8;
    static constexpr int VertScrollUnit = 8;

    // The file list's neighbour of the previewed file, in the direction of
    // the last step, decoded ahead once the preview has painted.
    ReadAhead PictureAhead;

private:
    void ReadAheadWhenIdle();
    void ReadAheadNext();
    bool stepsUp_ = false;  // the last step went towards the top of the file list
    void BuildMenu();
    void BuildToolBar();
    void BuildControls();
    void BuildLists();
    void WireEvents();
    // Moves Dir, disk and files with the tool bar (ToolBarShift).
    void MoveListsWithToolBar(bool shown);
};

// The single main window.
extern TOkno* Okno;

