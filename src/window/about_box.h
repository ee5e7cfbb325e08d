// The About box: the program's title, version, comments, copyright and web
// address, the calling window's icon, and a block of system information rebuilt
// each time the box is shown.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace window {

/// The maker's web page, shown in the About box and opened from the Help menu.
inline constexpr char kWebPage[] = "https://quillmark.org/";

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    void SetParentForm(QWidget* form) { parentForm_ = form; }
    void SetShowOK(bool show) { showOK_ = show; }
    std::string ExeType() const { return exeType_; }
    void SetExeType(const std::string& type) { exeType_ = type; }
    /// The program file (".exe") and the add-in's library (".dll") the system
    /// block reports; by default the running program and no library.
    void SetProgramFile(const QString& path) { programFile_ = path; }
    void SetLibraryFile(const QString& path) { libraryFile_ = path; }
    /// Runs pending events between the passes of ShortenPath.
    void SetEvents(std::function<void()> events) { events_ = std::move(events); }

    /// "4.00" for (4, 0); "1.03.0000" for (1, 3, 0); wider numbers keep their digits.
    static std::string FormatVersion(long Major, long Minor, std::optional<long> Revision = std::nullopt);
    /// 2 on an NT-family Windows, 0 elsewhere; sets the system's name and version text.
    long GetOSPlatform();
    /// The path, or with as many of its folders as must go replaced by one
    /// "...", so that it has at most `maxLen` characters: the middle ones first,
    /// then the first; the file's own folder stays. `events` runs after each pass.
    static std::string ShortenPath(const std::string& path, int maxLen, const std::function<void()>& events = {});

    /// The system block as last built.
    QString SystemInfo() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Load();
    void Activate();
    /// The file the system block tells of: the program's, or the library's once
    /// the type is ".dll".
    const QString& ShownFile() const;
    bool FileTimeLine(QString& info);

    QPointer<QWidget> parentForm_;
    bool showOK_ = false;
    bool loaded_ = false;
    std::string exeType_ = ".exe";
    QString programFile_;
    QString libraryFile_;
    std::function<void()> events_;
    QString osName_, osVersion_;
    QString processor_;

    QLabel* picTitle_;
    QLabel* ImgIcon_;
    QLabel* lbProgram_;
    QLabel* lbVersion_;
    QLabel* lbComment_;
    QLabel* lbCopyright_;
    QLabel* lblWWW_;
    QLabel* lbInfo_;
    QPushButton* butOK_;
};

}  // namespace window
