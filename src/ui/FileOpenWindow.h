#pragma once
// The file chooser (frmFileOpen): the folder list, the files of the chosen
// folder that match the caller's pattern, a text box for the name, OK and
// キャンセル. One folder tree has one root here, so a single folder list
// stands where a drive list and a folder list would be.
//
// Keys: in the folder list, Enter opens the highlighted folder and Backspace
// goes up one; in the file list, moving puts the file's name in the text box
// and Enter chooses it; Enter in the text box chooses the name typed (a
// folder's name opens that folder); Esc cancels; Tab moves between them.
//
// The window is hidden, never closed, between uses: it opens again in the
// folder it was left in.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Button.h"
#include "ui/FieldLabel.h"
#include "ui/Label.h"
#include "ui/ListEx.h"
#include "ui/TextBox.h"
#include "ui/Window.h"

namespace kv {

inline constexpr std::string_view MusicPattern = "*.mid";
inline constexpr std::string_view PicturePattern = "*.bmp;*.jpg;*.gif";

class FileOpenWindow : public Window {
  public:
    explicit FileOpenWindow(WindowManager& manager);

    Label lblTitle{"lblTitle"};
    Label lblPrompt{"lblPrompt"};
    FieldLabel lblFolder{"lblFolder"};
    ListEx drl{"drl"};
    FieldLabel lblFiles{"lblFiles"};
    ListEx fll{"fll"};
    FieldLabel lblName{"lblName"};
    TextBox txtFile{"txtFile"};
    Button cmdOK{"cmdOK"};
    Button cmdCancel{"cmdCancel"};

    // Shows the chooser modally, its file list filtered to pattern; the
    // first use opens in startFolder. The full path chosen, or "" when the
    // player cancelled.
    std::string Choose(std::string_view pattern, const std::filesystem::path& startFolder);

    // Moves to folder: both lists follow.
    void SetFolder(const std::filesystem::path& folder);
    const std::filesystem::path& Folder() const { return folder_; }

  private:
    void FillFiles();
    void OpenHighlightedFolder();
    void Confirm();

    std::filesystem::path folder_;
    std::string pattern_;
    std::vector<std::filesystem::path> folderRows_;
    std::string chosen_;
};

// The chooser filtered to MIDI files, or to pictures.
std::string ChooseMusicFile(FileOpenWindow& chooser, const std::filesystem::path& startFolder);
std::string ChoosePictureFile(FileOpenWindow& chooser, const std::filesystem::path& startFolder);

}  // namespace kv
