#pragma once
// The properties window of one path: its full path, name and 8.3 form, and
// what can be done to it from here.
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vt {

// The operations of other parts the window starts; an empty one beeps.
struct SvvHooks {
    // The quick rename of one file: true on success, path in and out.
    std::function<bool(QString &path)> rename;
    // Deletes the file (for good with Shift); true when it is gone.
    std::function<bool(bool permanent)> del;
    // Opens the open-with window for the path.
    std::function<void()> send;
};

enum class SvvResult { Closed, Actions };

class Tsvvfrm : public QDialog {
    Q_OBJECT
public:
    explicit Tsvvfrm(SvvHooks hooks, QWidget *parent = nullptr);

    void InitTxt(const QString &path);
    // A folder: the label reads "Папка:", rename and delete are off.
    void setFolder(bool folder);
    // Opened from a preview: rename, delete and the actions are not offered.
    void setViewOnly(bool on);
    SvvResult result() const { return m_result; }
    QString path() const { return m_path; }

    void sbSvvaClick();
    void sbExecClick();
    void sbExpFndClick();
    void sbDelFileClick(bool shift);
    void sbRenClick();
    void sbSendToClick();
    void sbShowActClick();

    QLabel *labFName, *labNm, *lab83;
    QLineEdit *eFName, *eNm, *e83;
    QPushButton *sbSvva, *sbExec, *sbExpFnd, *sbDelFile, *sbRen, *sbSendTo, *sbShowAct, *sbClose;

private:
    SvvHooks m_hooks;
    QString m_path;
    QString m_nameLabel = QStringLiteral("Файл:");
    bool m_viewOnly = false;
    SvvResult m_result = SvvResult::Closed;
};

// The window of one path only to look at (no rename, delete or actions);
// send opens the open-with window.
void viewProperties(const QString &path, bool folder, std::function<void()> send, QWidget *parent);

// "Файл:" + " (24 симв.)": a label up to its colon and the length of its value.
QString lengthLabel(const QString &label, const QString &value);

} // namespace vt
