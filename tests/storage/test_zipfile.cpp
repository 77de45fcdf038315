#include "storagetestsupport.h"
#include "zipfile.h"

#include <QDir>
#include <QFile>
#include <optional>

namespace {

// A member is held to a caller's limit and to the size its header declares; the header alone is
// never trusted, and nothing beyond either reaches the target.
TEST(ZipFileTest, MembersLargerThanAllowedOrThanDeclaredAreRefused) {
    QTemporaryDir dir;
    const QString source = QDir(dir.path()).filePath(QStringLiteral("rmdcalc.flt"));
    const QString archive = QDir(dir.path()).filePath(QStringLiteral("RMDData.zip"));
    const struct {
        const char *name;
        qsizetype size;
        quint32 declared; // 0: the true size
        qint64 maximum;
        const char *description; // empty: extracted whole
    } cases[] = {
        {"at the limit", 1000, 0, 1000, ""},
        {"over the limit", 1001, 0, 1000,
         "member rmdcalc.flt of RMDData.zip is larger than 1000 bytes"},
        {"declared over the limit", 500, 1001, 1000,
         "member rmdcalc.flt of RMDData.zip is larger than 1000 bytes"},
        {"more than declared", 200000, 10, qint64(1) << 30,
         "member rmdcalc.flt of RMDData.zip holds more than the 10 bytes its header declares"},
    };
    for (const auto &c : cases) {
        WriteWholeFile(source, QByteArray(c.size, 'r'));
        ASSERT_TRUE(ZipFile::createWithFile(archive, source, QStringLiteral("rmdcalc.flt")).ok());
        if (c.declared) {
            QFile zip(archive);
            ASSERT_TRUE(zip.open(QIODevice::ReadWrite));
            const QByteArray patched = DeclaringUnpackedSize(zip.readAll(), c.declared);
            ASSERT_TRUE(zip.seek(0) && zip.write(patched) == patched.size());
        }
        QByteArray target;
        const ZipResult result = ZipFile::extract(archive, QStringLiteral("rmdcalc.flt"), c.maximum,
                                                  [&](const char *data, qint64 size) {
                                                      target.append(data, size);
                                                      return true;
                                                  });
        EXPECT_EQ(result.description, QLatin1String(c.description)) << c.name;
        EXPECT_EQ(result.ok(), !*c.description) << c.name;
        EXPECT_EQ(result.tooLarge, !result.ok()) << c.name;
        EXPECT_EQ(target.size(), result.ok() ? c.size : 0) << c.name;
    }
}

} // namespace
