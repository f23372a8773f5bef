#include "platform/image_size.h"

#include <QFile>
#include <QImageReader>
#include <QSize>

#include "platform/qt_bridge.h"

namespace platform {

bool pictureSizeOfFile(const std::string& path, int* width, int* height) {
  if (path.empty()) return false;
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
