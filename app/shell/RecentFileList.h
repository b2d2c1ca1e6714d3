#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace vaporix {

// The most recently opened or saved documents, newest first, kept in the
// program's settings.
class RecentFileList {
 public:
  static constexpr int kSize = 4;

  // Reads the list from the settings group "Recent File List".
  void Load(QSettings& settings);
  void Save(QSettings& settings) const;

  // Puts `path` (made absolute) in front, dropping an older entry of the same
  // file and the oldest entry when the list is full.
  void Add(const QString& path);
  void Remove(const QString& path);

  const QStringList& files() const { return m_files; }

 private:
  QStringList m_files;
};

}  // namespace vaporix
