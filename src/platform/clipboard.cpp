// Clipboard through QClipboard. Without a GUI application (pure tests) the
// clipboard is empty and writes are ignored.

#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include "platform/qt_bridge.h"

namespace platform {

namespace {

QClipboard* board() {
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
  return QGuiApplication::clipboard();
}

const QMimeData* contents() {
  QClipboard* c = board();
  return c ? c->mimeData(QClipboard::Clipboard) : nullptr;
}

}  // namespace

void Clipboard::clear() {
  if (QClipboard* c = board()) c->clear(QClipboard::Clipboard);
}

void Clipboard::setText(const std::string& text) {
  if (QClipboard* c = board()) c->setText(toQ(text), QClipboard::Clipboard);
}

std::string Clipboard::getText() {
  const QMimeData* m = contents();
  if (!m || !m->hasText()) return std::string();
  return fromQ(m->text());
}

bool Clipboard::hasText() {
  const QMimeData* m = contents();
  return m && m->hasText();
}

void Clipboard::setImage(const Picture& picture) {
  QClipboard* c = board();
  if (!c) return;
  const QImage img = picture.toQImage();
  if (img.isNull()) {
    c->clear(QClipboard::Clipboard);
    return;
  }
  c->setImage(img, QClipboard::Clipboard);
}

Picture Clipboard::getImage() {
  const QMimeData* m = contents();
  if (!m || !m->hasImage()) return Picture();
  const QImage img = qvariant_cast<QImage>(m->imageData());
  if (img.isNull()) return Picture();
  return Picture::fromQImage(img);
}

bool Clipboard::hasImage() {
  const QMimeData* m = contents();
  return m && m->hasImage() && !qvariant_cast<QImage>(m->imageData()).isNull();
}

}  // namespace platform
