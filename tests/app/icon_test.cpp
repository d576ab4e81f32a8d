// The application icon: 128 x 128 at 32 bits per pixel, the same picture as PNG
// (compiled into the program) and as ICO (for a Windows build), and set on the
// windows.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QtEndian>

#include "app/toolkit_qt.h"
#include "app_test_support.h"

namespace zorvika {
namespace {

QByteArray ReadResourceFile(const char* name) {
  QFile file(QStringLiteral(ZORVIKA_SOURCE_DIR "/src/app/resources/") + name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(IconTest, ProgramIconIsA128PixelImageWithAlpha) {
  testing::EnsureToolkit();
  const QIcon icon = ApplicationIcon();
  ASSERT_FALSE(icon.isNull());
  const QImage image = icon.pixmap(128, 128).toImage();
  EXPECT_EQ(image.size(), QSize(128, 128));
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);        // a transparent corner
  EXPECT_EQ(qAlpha(image.pixel(64, 64)), 255);    // an opaque middle
}

TEST(IconTest, IcoFileHoldsOne32BitImageOfTheSamePicture) {
  testing::EnsureToolkit();
  const QByteArray ico = ReadResourceFile("icon.ico");
  ASSERT_GE(ico.size(), 22 + 40);
  const auto* bytes = reinterpret_cast<const uchar*>(ico.constData());
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 2), 1);   // an icon
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 4), 1);   // one image
  EXPECT_EQ(bytes[6], 128);                              // width
  EXPECT_EQ(bytes[7], 128);                              // height
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + 12), 32); // bits per pixel
  const quint32 length = qFromLittleEndian<quint32>(bytes + 14);
  const quint32 offset = qFromLittleEndian<quint32>(bytes + 18);
  EXPECT_EQ(offset + length, static_cast<quint32>(ico.size()));
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes + offset + 14), 32);  // the bitmap's own bit count

  QImage fromIco;
  ASSERT_TRUE(fromIco.loadFromData(ico, "ICO"));
  QImage fromPng;
  ASSERT_TRUE(fromPng.loadFromData(ReadResourceFile("icon.png"), "PNG"));
  EXPECT_EQ(fromPng.size(), QSize(128, 128));
  // Qt reads the ICO premultiplied; compared that way no rounding stands between them.
  EXPECT_EQ(fromIco.convertToFormat(QImage::Format_ARGB32_Premultiplied),
            fromPng.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

}  // namespace
}  // namespace zorvika
