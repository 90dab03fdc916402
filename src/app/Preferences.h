#pragma once
// The window's own preferences, kept between starts in its preferences file: where the window was
// and how wide its panel, and the folder each kind of file dialog was last used in.
#include <QByteArray>
#include <QSettings>
#include <QString>
#include <memory>

namespace orv {

// An empty path means orvalinden/orvalinden.ini under the user's config folder
// ($XDG_CONFIG_HOME, else ~/.config).
std::unique_ptr<QSettings> OpenPreferences(const QString& file);

// What a file dialog is for.
enum class FileKind { Designs, Pictures, Exports };

class Preferences {
  public:
    explicit Preferences(const QString& file) : file_(file) {}

    QByteArray WindowGeometry() const;
    void SetWindowGeometry(const QByteArray& geometry);
    QByteArray SplitterState() const;
    void SetSplitterState(const QByteArray& state);

    // Where a dialog for `kind` starts: the folder last used for it while it still exists, else
    // the user's Documents folder (Pictures for pictures), else the home folder.
    QString StartFolder(FileKind kind) const;
    // Remembers the folder of a file chosen in a dialog for `kind`.
    void UsedFile(FileKind kind, const QString& file);

  private:
    QString file_;
};

}  // namespace orv
