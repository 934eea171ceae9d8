#pragma once

// TBZBrowseDirs: the setup window's folder browser, a non-visual component
// that opens the folder dialog (Qt's own, FolderBrowserDialog) through the
// dialog service, centred over its owner window, with the last chosen
// folder preselected, OK enabled only for real folders, the selection
// shortened into the status area when asked, and one optional extra push
// button or check box. It hands back the chosen folder in Directory().
//
// The Windows root folders and option flags keep their names and values;
// here a root folder gives the folder the dialog starts in (one without a
// file-system place, such as the printers, starts at the whole tree), and
// of the flags only bfStatusText (the status area) changes anything: the
// dialog only ever offers file-system folders.

#include <QFlags>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace zentrix::setup {

class FolderBrowserDialog;
class SetupDialogService;

class TBZBrowseDirs : public QObject {
    Q_OBJECT
public:
    enum Flag {
        bfFileSysDirsOnly = 0x1,
        bfDontGoBelowDomain = 0x2,
        bfStatusText = 0x4,
        bfFileSysAncestors = 0x8,
        bfBrowseForComputer = 0x1000,
        bfBrowseForPrinter = 0x2000,
    };
    Q_DECLARE_FLAGS(Flags, Flag)

    enum RootFolder {
        foDesktopExpanded = -1,
        foDesktop = 0,
        foPrograms = 2,
        foControlPanel = 3,
        foPrinters = 4,
        foPersonal = 5,
        foFavorites = 6,
        foStartup = 7,
        foRecent = 8,
        foSendto = 9,
        foRecycleBin = 10,
        foStartMenu = 11,
        foDesktopDirectory = 16,
        foMyComputer = 17,
        foNetwork = 18,
        foNetworkNeighborhood = 19,
        foFonts = 20,
        foTemplates = 21,
    };
    enum CustomButtonType { btPushButton, btCheckBox };

    static constexpr int kDefaultCustomButtonWidth = 75;
    static constexpr size_t kStatusPathLimit = 35;

    // `dialogs` runs the dialog and must outlive the component; `owner` is the
    // window the dialog is centred over (else the active window).
    explicit TBZBrowseDirs(SetupDialogService& dialogs, QWidget* owner = nullptr);

    const QString& Directory() const { return directory_; }
    void setDirectory(const QString& folder) { directory_ = folder; }
    const QString& Title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }
    Flags flags() const { return flags_; }
    void setFlags(Flags flags) { flags_ = flags; }
    RootFolder rootFolder() const { return root_; }
    void setRootFolder(RootFolder root) { root_ = root; }
    bool ShowPathInStatusArea() const { return showPath_; }
    void setShowPathInStatusArea(bool on) { showPath_ = on; }

    bool CustomButtonVisible() const { return customVisible_; }
    void setCustomButtonVisible(bool on) { customVisible_ = on; }
    bool CustomButtonEnabled() const { return customEnabled_; }
    void setCustomButtonEnabled(bool on) { customEnabled_ = on; }
    const QString& CustomButtonCaption() const { return customCaption_; }
    void setCustomButtonCaption(const QString& caption) { customCaption_ = caption; }
    int CustomButtonWidth() const { return customWidth_; }
    // A width below 1 gives the default width.
    void setCustomButtonWidth(int width) {
        customWidth_ = width < 1 ? kDefaultCustomButtonWidth : width;
    }
    CustomButtonType customButtonType() const { return customType_; }
    void setCustomButtonType(CustomButtonType type) { customType_ = type; }
    bool CustomButtonChecked() const { return customChecked_; }
    void setCustomButtonChecked(bool on) { customChecked_ = on; }
    bool SyncCustomButton() const { return syncCustom_; }
    void setSyncCustomButton(bool on) { syncCustom_ = on; }

    // Events: the dialog opened; the selection moved (its folder, empty for
    // an item without one); the extra button was pressed.
    std::function<void(TBZBrowseDirs&, QDialog&)> OnInitialized;
    std::function<void(TBZBrowseDirs&, QDialog&, const QString&)> OnSelectionChanged;
    std::function<void(TBZBrowseDirs&, QDialog&)> OnCustomButtonClick;

    // Shows the dialog modally; true when it was left with OK, and then
    // Directory() holds the chosen folder.
    bool BrowseForFolder();

    // Centred horizontally over `over`, its top a quarter of that height below its top.
    static QPoint centredPosition(const QRect& over, const QSize& dialog);
    // The folder a root starts in; empty for the whole tree.
    static QString rootFolderPath(RootFolder root);

private:
    void initialise(FolderBrowserDialog& dialog);
    void selectionMoved(FolderBrowserDialog& dialog, const QString& folder);

    SetupDialogService& dialogs_;
    QWidget* owner_;
    QString directory_;
    QString title_;
    Flags flags_ = Flags(bfFileSysDirsOnly) | bfStatusText;
    RootFolder root_ = foDesktopExpanded;
    bool showPath_ = false;
    bool customVisible_ = false;
    bool customEnabled_ = true;
    QString customCaption_;
    int customWidth_ = kDefaultCustomButtonWidth;
    CustomButtonType customType_ = btPushButton;
    bool customChecked_ = false;
    bool syncCustom_ = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TBZBrowseDirs::Flags)

}  // namespace zentrix::setup
