#pragma once
// The designs opened or saved last, newest first, kept in the window's preferences file so that
// the list survives a restart.
#include <QString>
#include <QStringList>

namespace orv {

inline constexpr int kRecentFileCount = 10;

class RecentFiles {
  public:
    // An empty path means orvalinden/orvalinden.ini under the user's config folder
    // ($XDG_CONFIG_HOME, else ~/.config).
    explicit RecentFiles(const QString& preferencesFile);

    QStringList Files() const;
    // Puts a file first (once) and drops the oldest beyond the ten.
    void Add(const QString& path);
    void Remove(const QString& path);
    void Clear();

  private:
    void Store(const QStringList& files);

    QString file_;
};

}  // namespace orv
