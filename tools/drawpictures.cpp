// Draws the pictures, logos and start-up picture of the support archive at build time:
//   drawpictures OUTDIR
// Everything is drawn here from shapes and the Liberation fonts, so this file is the pictures'
// whole origin. Reports place pictures at 96 pixels per inch. The logos are drawn at twice
// that and scaled down by their placement files (RMDLogo.txt, StretchLogo.txt), which prints
// sharper.

#include "gifwriter.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

// The house palette.
constexpr QRgb NavyDeep = 0xff0f1b33;
constexpr QRgb Navy = 0xff1b2a4a;
constexpr QRgb NavyLight = 0xff2e4a78;
constexpr QRgb Teal = 0xff1f7a80;
constexpr QRgb TealBright = 0xff3ea6a6;
constexpr QRgb TealLight = 0xff8cc9c6;
constexpr QRgb TealPale = 0xffd3e9e7;
constexpr QRgb GoldDeep = 0xff9c7a12;
constexpr QRgb Gold = 0xffc9a227;
constexpr QRgb GoldLight = 0xffe8cd72;
constexpr QRgb Slate = 0xff4a5361;
constexpr QRgb Mist = 0xffe6eaef;

constexpr const char *SerifFamily = "Liberation Serif";
constexpr const char *SansFamily = "Liberation Sans";
constexpr const char *ProductName = "Retirement Distribution Planner";

// 96 pixels per inch, as the reports place the pictures.
constexpr int DotsPerMeter = 3780;

QColor withAlpha(QRgb rgb, int alpha) {
    QColor colour(rgb);
    colour.setAlpha(alpha);
    return colour;
}

QFont makeFont(const char *family, int pixelSize, QFont::Weight weight = QFont::Normal,
               qreal letterSpacing = 0) {
    QFont font(QString::fromLatin1(family));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return font;
}

QImage blankImage(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void smooth(QPainter &painter) {
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
}

// ---- The mark ----

enum class Motif { Bars, Tree };

// Ascending bars under a rising curve: distributions drawn over the years.
void drawBarsMotif(QPainter &painter) {
    const QRgb colours[] = {TealLight, TealBright, Gold};
    for (int i = 0; i < 3; ++i) {
        const qreal height = 20 + 16 * i;
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(colours[i]));
        painter.drawRoundedRect(QRectF(21 + 21 * i, 79 - height, 15, height), 2, 2);
    }
    painter.setPen(QPen(withAlpha(Mist, 230), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15, 80.5), QPointF(85, 80.5));
    QPainterPath curve(QPointF(15, 58));
    curve.cubicTo(QPointF(38, 52), QPointF(58, 38), QPointF(82, 17));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(GoldLight), 3.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(curve);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(GoldLight));
    painter.drawEllipse(QPointF(82, 17), 4.2, 4.2);
}

// A tree of three crowns on one trunk: three generations sharing one inheritance.
void drawTreeMotif(QPainter &painter) {
    QPainterPath trunk(QPointF(43, 82));
    trunk.cubicTo(QPointF(47, 70), QPointF(48, 60), QPointF(47, 50));
    trunk.lineTo(QPointF(34, 43));
    trunk.lineTo(QPointF(36, 40));
    trunk.lineTo(QPointF(48, 45));
    trunk.lineTo(QPointF(49, 30));
    trunk.lineTo(QPointF(52, 30));
    trunk.lineTo(QPointF(53, 42));
    trunk.lineTo(QPointF(65, 35));
    trunk.lineTo(QPointF(67, 38));
    trunk.lineTo(QPointF(54, 49));
    trunk.cubicTo(QPointF(53, 60), QPointF(54, 70), QPointF(58, 82));
    trunk.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(GoldDeep).lighter(115));
    painter.drawPath(trunk);

    struct Crown {
        QPointF centre;
        qreal radius;
        QRgb colour;
    };
    const Crown crowns[] = {
        {{31, 41}, 13, TealBright}, {{69, 34}, 12, TealLight}, {{50, 24}, 14, Gold}};
    for (const Crown &crown : crowns) {
        QRadialGradient shade(crown.centre - QPointF(crown.radius, crown.radius) * 0.35,
                              crown.radius * 1.4);
        shade.setColorAt(0, QColor(crown.colour).lighter(118));
        shade.setColorAt(1, QColor(crown.colour).darker(108));
        painter.setBrush(shade);
        painter.setPen(QPen(withAlpha(NavyDeep, 120), 1.2));
        painter.drawEllipse(crown.centre, crown.radius, crown.radius);
    }
    painter.setPen(QPen(withAlpha(Mist, 230), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(18, 82.5), QPointF(82, 82.5));
}

// The product's mark: a navy tile with a gold edge.
void drawEmblem(QPainter &painter, const QRectF &tile, Motif motif) {
    painter.save();
    painter.translate(tile.topLeft());
    painter.scale(tile.width() / 100, tile.height() / 100);
    QLinearGradient fill(0, 0, 0, 100);
    fill.setColorAt(0, QColor(NavyLight));
    fill.setColorAt(1, QColor(NavyDeep));
    painter.setPen(QPen(QColor(Gold), 3));
    painter.setBrush(fill);
    painter.drawRoundedRect(QRectF(1.5, 1.5, 97, 97), 17, 17);
    if (motif == Motif::Bars)
        drawBarsMotif(painter);
    else
        drawTreeMotif(painter);
    painter.restore();
}

// ---- Logos ----

// The mark, the product name over a gold rule, and a tagline, on white like the page. Drawn
// twice the report resolution: 88 pixels stand for 660 twips (0.46 inch).
QImage drawLogo(Motif motif, const QString &tagline) {
    constexpr int Height = 88;
    constexpr qreal TextLeft = Height + 16;
    const QFont nameFont = makeFont(SerifFamily, 42);
    const QFont tagFont = makeFont(SansFamily, 17, QFont::Bold, 3.4);
    const QString name = QString::fromLatin1(ProductName);
    const qreal nameWidth = QFontMetricsF(nameFont).horizontalAdvance(name);
    const qreal tagWidth = QFontMetricsF(tagFont).horizontalAdvance(tagline);
    const int width = int(std::ceil(TextLeft + std::max(nameWidth, tagWidth) + 6));

    QImage image = blankImage(width, Height, 0xffffffff);
    QPainter painter(&image);
    smooth(painter);
    drawEmblem(painter, QRectF(3, 3, Height - 6, Height - 6), motif);
    painter.setFont(nameFont);
    painter.setPen(QColor(Navy));
    painter.drawText(QPointF(TextLeft, 43), name);
    QLinearGradient rule(TextLeft, 0, TextLeft + nameWidth, 0);
    rule.setColorAt(0, QColor(Gold));
    rule.setColorAt(1, QColor(GoldLight));
    painter.fillRect(QRectF(TextLeft, 53, nameWidth, 3), rule);
    painter.setFont(tagFont);
    painter.setPen(QColor(Teal));
    painter.drawText(QPointF(TextLeft + 1, 80), tagline);
    return image;
}

// ---- Start-up picture ----

QImage drawSplash() {
    constexpr int Width = 480;
    constexpr int Height = 320;
    QImage image = blankImage(Width, Height, Navy);
    QPainter painter(&image);
    smooth(painter);

    QLinearGradient sky(0, 0, Width * 0.4, Height);
    sky.setColorAt(0, QColor(NavyLight));
    sky.setColorAt(1, QColor(NavyDeep));
    painter.fillRect(image.rect(), sky);

    // Rings of years spreading from the lower right.
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 7; ++ring) {
        painter.setPen(QPen(withAlpha(TealLight, 34 - 3 * ring), 1.4));
        painter.drawEllipse(QPointF(Width + 20, Height + 40), 70.0 * ring, 70.0 * ring);
    }

    // Two gentle waves along the foot.
    QPainterPath wave(QPointF(0, 268));
    wave.cubicTo(QPointF(150, 236), QPointF(300, 300), QPointF(Width, 252));
    wave.lineTo(Width, Height);
    wave.lineTo(0, Height);
    wave.closeSubpath();
    QLinearGradient waveFill(0, 240, 0, Height);
    waveFill.setColorAt(0, withAlpha(Teal, 150));
    waveFill.setColorAt(1, withAlpha(Teal, 60));
    painter.setPen(Qt::NoPen);
    painter.setBrush(waveFill);
    painter.drawPath(wave);
    QPainterPath crest(QPointF(0, 262));
    crest.cubicTo(QPointF(160, 226), QPointF(300, 292), QPointF(Width, 242));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(GoldLight, 200), 1.6));
    painter.drawPath(crest);

    constexpr qreal TextLeft = 160;
    drawEmblem(painter, QRectF(40, 52, 96, 96), Motif::Bars);
    painter.setFont(makeFont(SerifFamily, 34));
    painter.setPen(Qt::white);
    painter.drawText(QPointF(TextLeft, 84), QStringLiteral("Retirement"));
    painter.drawText(QPointF(TextLeft, 124), QStringLiteral("Distribution Planner"));
    painter.fillRect(QRectF(TextLeft + 1, 140, 150, 2.5), QColor(Gold));
    painter.setFont(makeFont(SansFamily, 15));
    painter.setPen(QColor(Mist));
    painter.drawText(QPointF(TextLeft + 1, 166), QStringLiteral("Version 1.0"));

    painter.setFont(makeFont(SansFamily, 14, QFont::Bold, 4));
    painter.setPen(QColor(GoldLight));
    painter.drawText(QPointF(41, 222), QStringLiteral("BRANTEX"));
    return image;
}

// ---- Report pictures ----

// The cover page's side strip, 1 by 9 inches: ribbons running down a navy band.
QImage drawSideStrip() {
    constexpr int Width = 96;
    constexpr int Height = 864;
    QImage image = blankImage(Width, Height, Navy);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient band(0, 0, 0, Height);
    band.setColorAt(0, QColor(NavyLight));
    band.setColorAt(0.55, QColor(Navy));
    band.setColorAt(1, QColor(NavyDeep));
    painter.fillRect(image.rect(), band);

    // A ribbon's edge wanders sideways as it falls.
    const auto edge = [](qreal centre, qreal amplitude, qreal phase, bool downwards) {
        QPolygonF points;
        for (int step = 0; step <= 96; ++step) {
            const qreal y = downwards ? Height * step / 96.0 : Height * (96 - step) / 96.0;
            points << QPointF(centre + amplitude * std::sin(y / 150 + phase), y);
        }
        return points;
    };
    struct Ribbon {
        qreal centre, amplitude, phase, halfWidth;
        QColor colour;
    };
    const Ribbon ribbons[] = {{34, 16, 0.0, 11, withAlpha(Teal, 120)},
                              {56, 18, 2.1, 8, withAlpha(TealBright, 70)},
                              {46, 22, 4.0, 4, withAlpha(TealLight, 60)}};
    painter.setPen(Qt::NoPen);
    for (const Ribbon &ribbon : ribbons) {
        QPolygonF shape =
            edge(ribbon.centre - ribbon.halfWidth, ribbon.amplitude, ribbon.phase, true);
        shape +=
            edge(ribbon.centre + ribbon.halfWidth, ribbon.amplitude * 0.8, ribbon.phase, false);
        painter.setBrush(ribbon.colour);
        painter.drawPolygon(shape);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(GoldLight, 170), 1.3));
    painter.drawPolyline(edge(48, 26, 1.2, true));

    painter.fillRect(QRectF(Width - 5, 0, 2, Height), QColor(Gold));
    drawEmblem(painter, QRectF(14, 28, 64, 64), Motif::Tree);

    // The product name read upwards near the foot.
    painter.save();
    painter.translate(54, Height - 28);
    painter.rotate(-90);
    painter.setFont(makeFont(SansFamily, 13, QFont::Bold, 3.2));
    painter.setPen(withAlpha(Mist, 210));
    painter.drawText(QPointF(0, 0), QString::fromLatin1(ProductName).toUpper());
    painter.restore();
    return image;
}

// A tree of the story picture: trunk and a crown of overlapping circles.
void drawTree(QPainter &painter, QPointF foot, qreal height, QRgb leaves) {
    const qreal crownRadius = height * 0.3;
    const QPointF crown = foot - QPointF(0, height - crownRadius);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(NavyDeep, 40));
    painter.drawEllipse(foot + QPointF(height * 0.12, 0), height * 0.3, height * 0.06);
    painter.setBrush(QColor(0xff6b5434));
    const qreal trunk = height * 0.06;
    painter.drawRect(QRectF(foot.x() - trunk / 2, crown.y(), trunk, foot.y() - crown.y()));
    const struct {
        qreal dx, dy, scale;
    } lobes[] = {{-0.55, 0.25, 0.7}, {0.55, 0.2, 0.72}, {0, -0.35, 0.8}, {0, 0.1, 0.9}};
    for (const auto &lobe : lobes) {
        const QPointF centre = crown + QPointF(lobe.dx, lobe.dy) * crownRadius;
        const qreal radius = crownRadius * lobe.scale;
        QRadialGradient shade(centre - QPointF(radius, radius) * 0.4, radius * 1.6);
        shade.setColorAt(0, QColor(leaves).lighter(125));
        shade.setColorAt(1, QColor(leaves).darker(112));
        painter.setBrush(shade);
        painter.drawEllipse(centre, radius, radius);
    }
}

// The story page's picture, 5.5 by 3 inches: a road through the years towards a rising sun,
// passing three trees of three generations.
QImage drawStoryPicture() {
    constexpr int Width = 528;
    constexpr int Height = 288;
    constexpr qreal Horizon = 150;
    QImage image = blankImage(Width, Height, 0xffffffff);
    QPainter painter(&image);
    smooth(painter);

    QLinearGradient sky(0, 0, 0, Horizon);
    sky.setColorAt(0, QColor(0xffdfe9f1));
    sky.setColorAt(1, QColor(0xfffbf1d6));
    painter.fillRect(QRectF(0, 0, Width, Horizon + 10), sky);
    const QPointF sun(352, Horizon - 8);
    QRadialGradient glow(sun, 120);
    glow.setColorAt(0, withAlpha(GoldLight, 150));
    glow.setColorAt(1, withAlpha(GoldLight, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(sun, 120, 120);
    painter.setBrush(QColor(GoldLight));
    painter.drawEllipse(sun, 30, 30);

    // Soft clouds.
    painter.setBrush(withAlpha(0xffffffff, 170));
    for (const QPointF cloud : {QPointF(110, 52), QPointF(455, 34)}) {
        painter.drawEllipse(cloud, 34, 9);
        painter.drawEllipse(cloud + QPointF(-10, -7), 16, 9);
        painter.drawEllipse(cloud + QPointF(9, -9), 18, 11);
    }

    // Hills in three layers, paler with distance.
    const struct {
        qreal base, amplitude, period, phase;
        QRgb colour;
    } hills[] = {{Horizon - 6, 14, 95, 0.5, 0xffb9d4d2},
                 {Horizon + 8, 18, 130, 2.0, 0xff86b8b2},
                 {Horizon + 40, 22, 170, 4.1, 0xff4f9892}};
    for (const auto &hill : hills) {
        QPainterPath path(QPointF(0, Height));
        for (int x = 0; x <= Width; x += 4)
            path.lineTo(x, hill.base - hill.amplitude * std::sin(x / hill.period + hill.phase));
        path.lineTo(Width, Height);
        path.closeSubpath();
        painter.setBrush(QColor(hill.colour));
        painter.drawPath(path);
    }
    QLinearGradient meadow(0, Horizon + 40, 0, Height);
    meadow.setColorAt(0, withAlpha(Teal, 0));
    meadow.setColorAt(1, withAlpha(Teal, 110));
    painter.fillRect(QRectF(0, Horizon + 20, Width, Height), meadow);

    // The road winds towards the sun and over the far hills; t runs from the foreground (0) to
    // the crest (1), and its bends shrink with its width, as distance would have them.
    constexpr qreal RoadEnd = Horizon + 12;
    const auto halfWidthAt = [](qreal t) { return 1.5 + 88 * std::pow(1 - t, 1.5); };
    const auto centreAt = [&](qreal t) {
        const qreal y = Height - (Height - RoadEnd) * (1 - std::pow(1 - t, 1.6));
        const qreal x = sun.x() + (240 - sun.x()) * std::pow(1 - t, 1.5) +
                        1.4 * halfWidthAt(t) * std::sin(2 * std::numbers::pi * 1.1 * t);
        return QPointF(x, y);
    };
    QPolygonF road;
    constexpr int Steps = 80;
    for (int i = 0; i <= Steps; ++i) {
        const qreal t = qreal(i) / Steps;
        road << centreAt(t) - QPointF(halfWidthAt(t), 0);
    }
    for (int i = Steps; i >= 0; --i) {
        const qreal t = qreal(i) / Steps;
        road << centreAt(t) + QPointF(halfWidthAt(t), 0);
    }
    QLinearGradient paving(0, Horizon, 0, Height);
    paving.setColorAt(0, QColor(0xffe9e2cf));
    paving.setColorAt(1, QColor(0xffcfc6ae));
    painter.setBrush(paving);
    painter.setPen(QPen(withAlpha(0xff8a7f66, 140), 1.0));
    painter.drawPolygon(road);
    // Dashes in gold, one for each year, shorter with distance.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(Gold));
    for (int dash = 0; dash < 14; ++dash) {
        const qreal t0 = 1 - std::pow(1 - dash / 14.0, 0.8);
        const qreal t1 = t0 + 0.028 * (1 - t0);
        const qreal w0 = halfWidthAt(t0) * 0.05;
        const qreal w1 = halfWidthAt(t1) * 0.05;
        const QPointF a = centreAt(t0);
        const QPointF b = centreAt(t1);
        painter.drawPolygon(QPolygonF{a - QPointF(w0, 0), a + QPointF(w0, 0), b + QPointF(w1, 0),
                                      b - QPointF(w1, 0)});
    }

    // The generations: an old tree, a grown one, and a young one further along.
    drawTree(painter, QPointF(92, 262), 150, 0xff2f6f6a);
    drawTree(painter, QPointF(450, 226), 92, 0xff3f8f86);
    drawTree(painter, QPointF(296, 178), 44, 0xff86a94a);
    return image;
}

// A stack of coins; the lowest coin rests on `foot`.
void drawCoinStack(QPainter &painter, QPointF foot, int coins) {
    constexpr qreal Width = 30;
    constexpr qreal Face = 9;
    constexpr qreal Thickness = 5;
    const qreal left = foot.x() - Width / 2;
    QLinearGradient side(left, 0, left + Width, 0);
    side.setColorAt(0, QColor(GoldDeep));
    side.setColorAt(0.3, QColor(GoldLight));
    side.setColorAt(0.7, QColor(Gold));
    side.setColorAt(1, QColor(GoldDeep));
    painter.setPen(QPen(QColor(GoldDeep).darker(115), 0.8));
    for (int coin = 0; coin < coins; ++coin) {
        const qreal bottom = foot.y() - coin * Thickness;
        QPainterPath edge(QPointF(left, bottom - Thickness));
        edge.lineTo(left, bottom);
        edge.arcTo(QRectF(left, bottom - Face / 2, Width, Face), 180, 180);
        edge.lineTo(left + Width, bottom - Thickness);
        edge.closeSubpath();
        painter.setBrush(side);
        painter.drawPath(edge);
    }
    const qreal top = foot.y() - coins * Thickness;
    const QRectF face(left, top - Face / 2, Width, Face);
    QLinearGradient shine(face.topLeft(), face.bottomRight());
    shine.setColorAt(0, QColor(GoldLight).lighter(110));
    shine.setColorAt(1, QColor(Gold));
    painter.setBrush(shine);
    painter.drawEllipse(face);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(GoldDeep, 160), 0.8));
    painter.drawEllipse(face.adjusted(4, 1.5, -4, -1.5));
}

// A banknote lying at an angle, centred on `centre`.
void drawBanknote(QPainter &painter, QPointF centre, qreal angle) {
    painter.save();
    painter.translate(centre);
    painter.rotate(angle);
    const QRectF note(-40, -18, 80, 36);
    painter.setPen(QPen(QColor(Teal).darker(130), 1));
    painter.setBrush(QColor(0xffc4e2cf));
    painter.drawRoundedRect(note, 2, 2);
    painter.setPen(QPen(QColor(Teal), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(note.adjusted(4, 4, -4, -4));
    painter.setBrush(QColor(TealPale));
    painter.drawEllipse(QPointF(0, 0), 10, 10);
    painter.setFont(makeFont(SerifFamily, 15, QFont::Bold));
    painter.setPen(QColor(Teal).darker(120));
    painter.drawText(QRectF(-10, -10, 20, 20), Qt::AlignCenter, QStringLiteral("$"));
    painter.restore();
}

// The taxes page's margin picture, 1.2 by 1 inch: banknotes behind three rising coin stacks.
QImage drawCashPile() {
    constexpr int Width = 115;
    constexpr int Height = 96;
    QImage image = blankImage(Width, Height, 0xffffffff);
    QPainter painter(&image);
    smooth(painter);
    painter.setPen(Qt::NoPen);
    QRadialGradient shadow(QPointF(58, 86), 52);
    shadow.setColorAt(0, withAlpha(Slate, 70));
    shadow.setColorAt(1, withAlpha(Slate, 0));
    painter.setBrush(shadow);
    painter.drawEllipse(QPointF(58, 86), 54, 8);
    drawBanknote(painter, QPointF(50, 34), -12);
    drawBanknote(painter, QPointF(62, 40), 5);
    drawCoinStack(painter, QPointF(24, 86), 3);
    drawCoinStack(painter, QPointF(56, 88), 6);
    drawCoinStack(painter, QPointF(89, 86), 9);
    return image;
}

// The graph's backdrop, 624 by 468 like the graph: a pale wash with faint rings of years, quiet
// enough that the chart's lines and labels read on it.
QImage drawGraphBackdrop() {
    constexpr int Width = 624;
    constexpr int Height = 468;
    QImage image = blankImage(Width, Height, 0xffffffff);
    QPainter painter(&image);
    smooth(painter);
    QLinearGradient wash(0, 0, Width * 0.3, Height);
    wash.setColorAt(0, QColor(0xfff7f9fb));
    wash.setColorAt(1, QColor(TealPale).lighter(108));
    painter.fillRect(image.rect(), wash);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 1; ring <= 9; ++ring) {
        painter.setPen(QPen(withAlpha(Teal, 22 - 2 * ring), 1.2));
        painter.drawEllipse(QPointF(Width + 40, Height + 60), 85.0 * ring, 85.0 * ring);
    }
    painter.fillRect(QRectF(0, Height - 3, Width, 3), withAlpha(Gold, 90));
    return image;
}

// ---- Output ----

int fail(const QString &message) {
    std::fprintf(stderr, "drawpictures: %s\n", message.toLocal8Bit().constData());
    return 1;
}

QImage forFile(const QImage &image) {
    QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    opaque.setDotsPerMeterX(DotsPerMeter);
    opaque.setDotsPerMeterY(DotsPerMeter);
    return opaque;
}

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2)
        return fail(QStringLiteral("usage: drawpictures OUTDIR"));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path()))
        return fail(QStringLiteral("cannot create %1").arg(folder.path()));
    // A substitute font would silently change every picture's lettering.
    for (const char *family : {SerifFamily, SansFamily}) {
        const QString wanted = QString::fromLatin1(family);
        if (QFontInfo(QFont(wanted)).family() != wanted)
            return fail(QStringLiteral("font %1 is missing (Debian package fonts-liberation2)")
                            .arg(wanted));
    }

    const QImage splash = forFile(drawSplash());
    const struct {
        const char *name;
        QImage image;
        const char *format;
    } pictures[] = {
        {"100side.bmp", forFile(drawSideStrip()), "BMP"},
        {"Wenpic.jpg", forFile(drawStoryPicture()), "JPG"},
        {"PileofCashMed.jpg", forFile(drawCashPile()), "JPG"},
        {"GraphBack.bmp", forFile(drawGraphBackdrop()), "BMP"},
        {"RMDSplash.bmp", splash, "BMP"},
        {"RMDSplash.jpg", splash, "JPG"},
    };
    for (const auto &picture : pictures) {
        const QString path = folder.filePath(QString::fromLatin1(picture.name));
        if (!picture.image.save(path, picture.format, 95))
            return fail(QStringLiteral("cannot write %1").arg(path));
    }

    const struct {
        const char *name;
        Motif motif;
        const char *tagline;
    } logos[] = {
        {"RMDLogo.gif", Motif::Bars, "DISTRIBUTION ILLUSTRATION"},
        {"StretchLogo.gif", Motif::Tree, "STRETCH ILLUSTRATION"},
    };
    for (const auto &logo : logos) {
        QString error;
        if (!writeGif(drawLogo(logo.motif, QString::fromLatin1(logo.tagline)),
                      folder.filePath(QString::fromLatin1(logo.name)), &error))
            return fail(error);
    }
    return 0;
}
