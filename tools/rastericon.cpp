// Renders the hand-drawn SVG icon into the hicolor theme's PNG sizes at build time:
//   rastericon ICON.svg OUTDIR SIZE...
// writes OUTDIR/SIZExSIZE/apps/NAME.png, NAME being the SVG's file name without ".svg".

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char *argv[]) {
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: rastericon ICON.svg OUTDIR SIZE...\n");
        return 1;
    }
    const QString svgPath = arguments.at(1);
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "rastericon: %s is not a readable SVG picture\n", qPrintable(svgPath));
        return 1;
    }
    const QString name = QFileInfo(svgPath).completeBaseName();
    for (const QString &sizeText : arguments.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "rastericon: \"%s\" is no icon size\n", qPrintable(sizeText));
            return 1;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        renderer.render(&painter);
        painter.end();
        const QString folder =
            QDir(arguments.at(2)).filePath(QStringLiteral("%1x%1/apps").arg(size));
        const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
        if (!QDir().mkpath(folder) || !image.save(path, "PNG")) {
            std::fprintf(stderr, "rastericon: %s could not be written\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
