#include "RecentFileList.h"

#include <QFileInfo>
#include <QSettings>

namespace vaporix {
namespace {

const QString kGroup = QStringLiteral("Recent File List");

QString KeyOf(int index) {
  return QStringLiteral("File%1").arg(index + 1);
}

QString Normalised(const QString& path) {
  return QFileInfo(path).absoluteFilePath();
}

}  // namespace

void RecentFileList::Load(QSettings& settings) {
  m_files.clear();
  settings.beginGroup(kGroup);
  for (int index = 0; index < kSize; ++index) {
    const QString path = settings.value(KeyOf(index)).toString();
    if (!path.isEmpty() && !m_files.contains(path)) {
      m_files.append(path);
    }
  }
  settings.endGroup();
}

void RecentFileList::Save(QSettings& settings) const {
  settings.beginGroup(kGroup);
  for (int index = 0; index < kSize; ++index) {
    if (index < m_files.size()) {
      settings.setValue(KeyOf(index), m_files.at(index));
    } else {
      settings.remove(KeyOf(index));
    }
  }
  settings.endGroup();
}

void RecentFileList::Add(const QString& path) {
  const QString absolute = Normalised(path);
  m_files.removeAll(absolute);
  m_files.prepend(absolute);
  while (m_files.size() > kSize) {
    m_files.removeLast();
  }
}

void RecentFileList::Remove(const QString& path) {
  m_files.removeAll(Normalised(path));
}

}  // namespace vaporix
