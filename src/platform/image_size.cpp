#include "platform/image_size.h"

#include <QFile>
#include <QImageReader>
#include <QSize>

#include "platform/qt_bridge.h"
#include "platform/textfile.h"

namespace platform {

bool pictureSizeOfFile(const std::string& path, int* width, int* height) {
  // Only a regular file: a named pipe or a device would block the read.
  if (path.empty() || !fileExists(path)) return false;
  QFile file(toQ(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  reader.setAutoTransform(false);
  if (!reader.canRead()) return false;
  const QSize size = reader.size();
  if (!size.isValid() || size.width() <= 0 || size.height() <= 0) return false;
  if (width) *width = size.width();
  if (height) *height = size.height();
  return true;
}

}  // namespace platform
