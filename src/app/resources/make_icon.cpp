// Draws the application icon and writes it as icon.png and icon.ico (128 x 128,
// 32 bits per pixel with alpha) into the folder given as the first argument.
// Built on request only (target zorvika_make_icon); the two files are committed.
//
//   cmake --build build/<dir> --target zorvika_make_icon
//   build/<dir>/src/app/zorvika_make_icon src/app/resources

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <cstdio>

namespace {

constexpr int kSize = 128;

// A rounded tile in deep teal, a film frame with sprocket holes and a bold
// arrow pointing down into a tray: "videos, downloaded".
QImage DrawIcon() {
  QImage image(kSize, kSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);

  QLinearGradient tile(0, 0, 0, kSize);
  tile.setColorAt(0.0, QColor(0x1F, 0xA5, 0x9A));
  tile.setColorAt(1.0, QColor(0x0E, 0x4F, 0x7A));
  painter.setPen(Qt::NoPen);
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(4, 4, 120, 120), 24, 24);

  // Film frame.
  painter.setBrush(QColor(0xF4, 0xF1, 0xE8));
  painter.drawRoundedRect(QRectF(22, 18, 84, 54), 8, 8);
  painter.setBrush(QColor(0x16, 0x6E, 0x86));
  for (int hole = 0; hole < 6; ++hole) {
    painter.drawRoundedRect(QRectF(28 + hole * 13, 22, 7, 6), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(28 + hole * 13, 62, 7, 6), 1.5, 1.5);
  }
  // Play mark inside the frame.
  QPainterPath play;
  play.moveTo(56, 33);
  play.lineTo(76, 45);
  play.lineTo(56, 57);
  play.closeSubpath();
  painter.setBrush(QColor(0xE8, 0x6A, 0x33));
  painter.drawPath(play);

  // Arrow down into a tray.
  QPainterPath arrow;
  arrow.moveTo(57, 74);
  arrow.lineTo(71, 74);
  arrow.lineTo(71, 90);
  arrow.lineTo(82, 90);
  arrow.lineTo(64, 108);
  arrow.lineTo(46, 90);
  arrow.lineTo(57, 90);
  arrow.closeSubpath();
  painter.setBrush(QColor(0xFF, 0xC8, 0x3D));
  painter.drawPath(arrow);
  painter.setBrush(QColor(0xF4, 0xF1, 0xE8));
  painter.drawRoundedRect(QRectF(30, 106, 68, 8), 4, 4);
  painter.end();
  return image;
}

void PutLe16(QByteArray& out, quint16 value) {
  const quint16 le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), 2);
}

void PutLe32(QByteArray& out, quint32 value) {
  const quint32 le = qToLittleEndian(value);
  out.append(reinterpret_cast<const char*>(&le), 4);
}

// One 32-bit image in an ICO file: directory, BITMAPINFOHEADER (height doubled
// for the mask), BGRA rows bottom-up, then the 1-bit AND mask (1 = transparent).
QByteArray EncodeIco(const QImage& image) {
  const int maskRowBytes = ((kSize + 31) / 32) * 4;
  const quint32 pixelBytes = kSize * kSize * 4;
  const quint32 maskBytes = static_cast<quint32>(maskRowBytes * kSize);
  QByteArray ico;
  PutLe16(ico, 0);  // reserved
  PutLe16(ico, 1);  // type: icon
  PutLe16(ico, 1);  // one image
  ico.append(static_cast<char>(kSize));  // width (128)
  ico.append(static_cast<char>(kSize));  // height
  ico.append('\0');                      // no palette
  ico.append('\0');                      // reserved
  PutLe16(ico, 1);                       // planes
  PutLe16(ico, 32);                      // bits per pixel
  PutLe32(ico, 40 + pixelBytes + maskBytes);
  PutLe32(ico, 6 + 16);  // offset of the image data

  PutLe32(ico, 40);
  PutLe32(ico, kSize);
  PutLe32(ico, kSize * 2);
  PutLe16(ico, 1);
  PutLe16(ico, 32);
  PutLe32(ico, 0);  // BI_RGB
  PutLe32(ico, pixelBytes + maskBytes);
  PutLe32(ico, 0);
  PutLe32(ico, 0);
  PutLe32(ico, 0);
  PutLe32(ico, 0);

  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) {
      const QRgb pixel = argb.pixel(x, y);
      ico.append(static_cast<char>(qBlue(pixel)));
      ico.append(static_cast<char>(qGreen(pixel)));
      ico.append(static_cast<char>(qRed(pixel)));
      ico.append(static_cast<char>(qAlpha(pixel)));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    QByteArray row(maskRowBytes, '\0');
    for (int x = 0; x < kSize; ++x) {
      if (qAlpha(argb.pixel(x, y)) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    ico.append(row);
  }
  return ico;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const QImage icon = DrawIcon();
  if (!icon.save(folder.filePath(QStringLiteral("icon.png")), "PNG")) {
    std::fprintf(stderr, "cannot write icon.png\n");
    return 1;
  }
  QFile ico(folder.filePath(QStringLiteral("icon.ico")));
  if (!ico.open(QIODevice::WriteOnly) || ico.write(EncodeIco(icon)) < 0) {
    std::fprintf(stderr, "cannot write icon.ico\n");
    return 1;
  }
  return 0;
}
