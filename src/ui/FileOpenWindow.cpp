#include "ui/FileOpenWindow.h"

#include <system_error>

#include "platform/Keys.h"
#include "ui/FolderListing.h"
#include "ui/WindowLook.h"
#include "ui/WindowManager.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

constexpr int FormWidth = 520;
constexpr int FormHeight = 380;
constexpr int Margin = 10;
constexpr int TitleHeight = 22;
constexpr int LineHeight = 20;
constexpr int ListTopAt = 76;
constexpr int ListHeight = 214;
constexpr int ButtonWidth = 96;
constexpr int ButtonHeight = 26;
constexpr int FontSize = 14;

void StyleText(Control& control) {
    control.BackColor = WindowBack;
    control.ForeColor = WindowText;
    control.FontSize = FontSize;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

FileOpenWindow::FileOpenWindow(WindowManager& manager) : Window(manager) {
    Name = "frmFileOpen";
    Visible = false;
    BackColor = WindowBack;
    SetCaption("ファイル読み込み");
    CentreOnCanvas(FormWidth, FormHeight);
    const int inner = Width - 2 * Margin;
    const int half = (inner - Margin) / 2;

    // The caption as a bar across the top: these windows have no frame of
    // their own.
    lblTitle.BackColor = Rgb(24, 40, 120);
    lblTitle.ForeColor = WindowText;
    lblTitle.FontSize = FontSize;
    lblTitle.SetCaption(" " + Caption());
    lblTitle.Move(0, 0, Width, TitleHeight);
    Add(lblTitle);

    StyleText(lblPrompt);
    lblPrompt.SetCaption("ファイルを選んでください");
    lblPrompt.Move(Margin, TitleHeight + 8, inner, LineHeight);
    Add(lblPrompt);

    StyleText(lblFolder);
    lblFolder.SetCaption("フォルダ(&D)");
    lblFolder.Buddy = &drl;
    lblFolder.Move(Margin, ListTopAt - LineHeight, half, LineHeight);
    Add(lblFolder);
    StyleWindowList(drl, FontSize);
    drl.TabStop = true;
    // Rows begin with their indentation, not an access letter.
    drl.AccessKeyOn = false;
    drl.Move(Margin, ListTopAt, half, ListHeight);
    drl.OnEnter = [this] { OpenHighlightedFolder(); };
    drl.OnKeyDown = [this](int& keyCode, int shift) {
        if (keyCode != Key::Back || (shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        keyCode = 0;
        if (folder_.has_relative_path()) SetFolder(folder_.parent_path());
    };
    Add(drl);

    StyleText(lblFiles);
    lblFiles.SetCaption("ファイル(&L)");
    lblFiles.Buddy = &fll;
    lblFiles.Move(Margin * 2 + half, ListTopAt - LineHeight, half, LineHeight);
    Add(lblFiles);
    StyleWindowList(fll, FontSize);
    fll.TabStop = true;
    fll.Move(Margin * 2 + half, ListTopAt, half, ListHeight);
    // Moving in the list (or coming into it) shows the file's name.
    fll.OnClick = [this] {
        const int row = fll.ListIndex();
        if (row >= 0 && row < fll.ListCount()) txtFile.SetText(fll.List(row));
    };
    fll.OnGotFocus = fll.OnClick;
    fll.OnEnter = [this] { Confirm(); };
    fll.OnKeyDown = [](int& keyCode, int) {
        // Backspace would jump to the last row, which means nothing here.
        if (keyCode == Key::Back) keyCode = 0;
    };
    Add(fll);

    const int nameTop = ListTopAt + ListHeight + 8;
    StyleText(lblName);
    lblName.SetCaption("ファイル名(&N)");
    lblName.Buddy = &txtFile;
    lblName.Move(Margin, nameTop + 4, 112, LineHeight);
    Add(lblName);
    txtFile.TabStop = true;
    txtFile.FontSize = FontSize;
    txtFile.Move(Margin + 116, nameTop, inner - 116, 24);
    txtFile.OnKeyDown = [this](int& keyCode, int shift) {
        if (keyCode != Key::Return || (shift & (Key::CtrlMask | Key::AltMask)) != 0) return;
        keyCode = 0;
        Confirm();
    };
    Add(txtFile);

    const int buttonTop = Height - Margin - ButtonHeight;
    cmdOK.SetCaption("OK");
    cmdOK.FontSize = FontSize;
    cmdOK.Move(Width - Margin - 2 * ButtonWidth - Margin, buttonTop, ButtonWidth, ButtonHeight);
    cmdOK.OnClick = [this] { Confirm(); };
    Add(cmdOK);
    cmdCancel.SetCaption("キャンセル");
    cmdCancel.FontSize = FontSize;
    cmdCancel.Cancel = true;
    cmdCancel.Move(Width - Margin - ButtonWidth, buttonTop, ButtonWidth, ButtonHeight);
    cmdCancel.OnClick = [this] { Hide(); };
    Add(cmdCancel);
}

void FileOpenWindow::SetFolder(const fs::path& folder) {
    FolderList list = ListFolders(folder);
    folder_ = list.Rows[static_cast<size_t>(list.Current)].Folder;
    folderRows_.clear();
    std::vector<std::string> texts;
    for (FolderRow& row : list.Rows) {
        texts.push_back(std::move(row.Text));
        folderRows_.push_back(std::move(row.Folder));
    }
    drl.SetRedraw(false);
    drl.Clear();
    drl.AddItems(0, texts);
    drl.SetListIndex(list.Current);
    drl.SetRedraw(true);
    FillFiles();
}

void FileOpenWindow::FillFiles() {
    const std::vector<std::string> files = MatchingFiles(folder_, pattern_);
    fll.SetRedraw(false);
    fll.Clear();
    fll.AddItems(0, files);
    fll.SetListIndex(files.empty() ? -1 : 0);
    fll.SetRedraw(true);
    Manager().Log().List(fll.Name, folder_.string(), files, fll.ListIndex());
}

void FileOpenWindow::OpenHighlightedFolder() {
    const int row = drl.ListIndex();
    if (row < 0 || row >= static_cast<int>(folderRows_.size())) return;
    SetFolder(folderRows_[static_cast<size_t>(row)]);
}

void FileOpenWindow::Confirm() {
    const std::string name = Trimmed(txtFile.Text());
    if (name.empty()) return;  // nothing named yet: the window stays
    const fs::path typed(name);
    const fs::path path = typed.is_absolute() ? typed : folder_ / typed;
    std::error_code error;
    if (fs::is_directory(path, error)) {
        SetFolder(path);
        txtFile.SetText("");
        return;
    }
    chosen_ = path.lexically_normal().string();
    Hide();
}

std::string FileOpenWindow::Choose(std::string_view pattern, const fs::path& startFolder) {
    pattern_ = pattern;
    chosen_.clear();
    SetFolder(folder_.empty() ? startFolder : folder_);
    txtFile.SetText("");
    if (fll.ListCount() > 0) {
        fll.SetFocus();
        fll.OnClick();  // the first file's name, even when the list kept the focus
    } else {
        drl.SetFocus();
    }
    ShowModal();
    return chosen_;
}

std::string ChooseMusicFile(FileOpenWindow& chooser, const fs::path& startFolder) {
    return chooser.Choose(MusicPattern, startFolder);
}

std::string ChoosePictureFile(FileOpenWindow& chooser, const fs::path& startFolder) {
    return chooser.Choose(PicturePattern, startFolder);
}

}  // namespace kv
