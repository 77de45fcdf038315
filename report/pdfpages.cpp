#include "pdfpages.h"

#include "pageitems.h"
#include "reportdocument.h"
#include "reportgenerations.h"

#include <QBuffer>
#include <QGlyphRun>
#include <QHash>
#include <QIODevice>
#include <QImageWriter>
#include <QRawFont>
#include <QTextLayout>

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include <deque>
#include <memory>
#include <vector>

namespace {

constexpr double TwipsPerPoint = 20;

template <typename T, void (*Destroy)(T *)> struct Release {
    void operator()(T *object) const { Destroy(object); }
};
using Surface = std::unique_ptr<cairo_surface_t, Release<cairo_surface_t, cairo_surface_destroy>>;
using Context = std::unique_ptr<cairo_t, Release<cairo_t, cairo_destroy>>;
using FontFace =
    std::unique_ptr<cairo_font_face_t, Release<cairo_font_face_t, cairo_font_face_destroy>>;
using ScaledFont =
    std::unique_ptr<cairo_scaled_font_t, Release<cairo_scaled_font_t, cairo_scaled_font_destroy>>;
using FontOptions = std::unique_ptr<cairo_font_options_t,
                                    Release<cairo_font_options_t, cairo_font_options_destroy>>;
using Pattern = std::unique_ptr<FcPattern, Release<FcPattern, FcPatternDestroy>>;

cairo_status_t writeToDevice(void *closure, const unsigned char *data, unsigned int length) {
    auto *device = static_cast<QIODevice *>(closure);
    return device->write(reinterpret_cast<const char *>(data), length) == qint64(length)
               ? CAIRO_STATUS_SUCCESS
               : CAIRO_STATUS_WRITE_ERROR;
}

QByteArray headTable(cairo_font_face_t *face) {
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    const FontOptions options(cairo_font_options_create());
    const ScaledFont scaled(cairo_scaled_font_create(face, &identity, &identity, options.get()));
    const FT_Face ft = cairo_ft_scaled_font_lock_face(scaled.get());
    QByteArray table;
    FT_ULong length = 0;
    if (ft && FT_Load_Sfnt_Table(ft, TTAG_head, 0, nullptr, &length) == 0) {
        table.resize(qsizetype(length));
        if (FT_Load_Sfnt_Table(ft, TTAG_head, 0, reinterpret_cast<FT_Byte *>(table.data()),
                               &length) != 0)
            table.clear();
    }
    if (ft)
        cairo_ft_scaled_font_unlock_face(scaled.get());
    return table;
}

// The file each face Qt shaped with came from, found through fontconfig as Qt found it. Glyph
// numbers only mean something in their own file, so a match is accepted only when its 'head'
// table (the font's revision and dates) is the one Qt read.
class FontFiles {
public:
    explicit FontFiles(const ReportGenerations &reports) : m_reports(reports) {}

    cairo_font_face_t *face(const QRawFont &font, QString &error) {
        for (Face &known : m_faces) {
            if (known.font == font) {
                known.lastUsed = m_reports.current();
                return known.face.get();
            }
        }
        FontFace face = match(font);
        if (!face || headTable(face.get()) != font.fontTable("head")) {
            error = QStringLiteral("no font file matches %1 %2 as it was laid out")
                        .arg(font.familyName(), font.styleName());
            return nullptr;
        }
        return m_faces.emplace_back(Face{font, std::move(face), m_reports.current()}).face.get();
    }

    void forgetUnused() { m_reports.forgetStale(m_faces); }

private:
    static FontFace match(const QRawFont &font) {
        const Pattern pattern(FcPatternCreate());
        const QByteArray family = font.familyName().toUtf8();
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8 *>(family.constData()));
        FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(font.weight()));
        FcPatternAddInteger(pattern.get(), FC_SLANT,
                            font.style() == QFont::StyleItalic    ? FC_SLANT_ITALIC
                            : font.style() == QFont::StyleOblique ? FC_SLANT_OBLIQUE
                                                                  : FC_SLANT_ROMAN);
        FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        const Pattern matched(FcFontMatch(nullptr, pattern.get(), &result));
        if (!matched)
            return nullptr;
        return FontFace(cairo_ft_font_face_create_for_pattern(matched.get()));
    }

    struct Face {
        QRawFont font;
        FontFace face;
        int lastUsed = 0;
    };
    std::vector<Face> m_faces;
    const ReportGenerations &m_reports; // the run's count, shared by its caches
};

// One cairo surface per picture, so that a decoration repeated on every page is stored once,
// and one encoding for the next reports drawing the same picture (compared by its pixels, as
// each report reads its pictures afresh). Opaque pictures go in as JPEG at the quality Qt's
// PDF engine used, which is smaller and quicker than deflating their pixels. The pixels and
// the JPEG must live as long as the PDF surface, which reads them when it ends.
class Pictures {
public:
    explicit Pictures(const ReportGenerations &reports) : m_reports(reports) {}

    cairo_surface_t *surface(const QImage &image) {
        for (Picture &picture : m_pictures) {
            if (picture.image.cacheKey() == image.cacheKey() || picture.image == image) {
                picture.lastUsed = m_reports.current();
                return picture.surface.get();
            }
        }
        const bool alpha = image.hasAlphaChannel();
        Picture &picture = m_pictures.emplace_back();
        picture.image = image;
        picture.lastUsed = m_reports.current();
        picture.pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32);
        picture.surface.reset(cairo_image_surface_create_for_data(
            picture.pixels.bits(), alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24,
            picture.pixels.width(), picture.pixels.height(), int(picture.pixels.bytesPerLine())));
        if (!alpha) {
            QBuffer buffer(&picture.jpeg);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setQuality(JpegQuality);
            if (writer.write(picture.pixels))
                cairo_surface_set_mime_data(
                    picture.surface.get(), CAIRO_MIME_TYPE_JPEG,
                    reinterpret_cast<const unsigned char *>(picture.jpeg.constData()),
                    (unsigned long)picture.jpeg.size(), nullptr, nullptr);
        }
        return picture.surface.get();
    }

    void forgetUnused() { m_reports.forgetStale(m_pictures); }

private:
    static constexpr int JpegQuality = 94;
    struct Picture {
        QImage image;
        int lastUsed = 0;
        QImage pixels;
        QByteArray jpeg;
        Surface surface;
    };
    // A deque: the surfaces point into the entries' pixels and JPEG bytes.
    std::deque<Picture> m_pictures;
    const ReportGenerations &m_reports; // the run's count, shared by its caches
};

// A text's glyphs at the reference size, from its baseline's left end: one run per face.
struct ShapedRun {
    QRawFont font;
    std::vector<cairo_glyph_t> glyphs;
};

// Shaped by Qt as QPainter::drawText shapes it. Most of a report's texts are the template's
// and recur in every report of a run, so their shapes are kept for the next ones.
class ShapedTexts {
public:
    explicit ShapedTexts(const ReportGenerations &reports) : m_reports(reports) {}

    const std::vector<ShapedRun> &shape(const TextItem &item) {
        const double spacing = item.wordSpacing / item.font.scale();
        const QString key =
            item.text + QChar(0) + item.font.family + QChar(item.font.bold ? u'b' : u'-') +
            QChar(item.font.italic ? u'i' : u'-') + QString::number(spacing, 'g', 17);
        auto known = m_shapes.find(key);
        if (known == m_shapes.end())
            known = m_shapes.insert(key, {layOut(item.text, item.font, spacing), 0});
        known->lastUsed = m_reports.current();
        return known->runs;
    }

    void forgetUnused() { m_reports.forgetStale(m_shapes); }

private:
    static std::vector<ShapedRun> layOut(const QString &text, const ReportFont &face,
                                         double spacing) {
        QFont font = face.referenceFont();
        font.setWordSpacing(spacing);
        QTextLayout layout(text, font);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        std::vector<ShapedRun> runs;
        for (const QGlyphRun &run : layout.glyphRuns()) {
            ShapedRun &shaped = runs.emplace_back(ShapedRun{run.rawFont(), {}});
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < indexes.size(); ++i)
                shaped.glyphs.push_back(
                    {indexes[i], positions[i].x(), positions[i].y() - line.ascent()});
        }
        return runs;
    }

    struct Shape {
        std::vector<ShapedRun> runs;
        int lastUsed = 0;
    };
    QHash<QString, Shape> m_shapes;
    const ReportGenerations &m_reports; // the run's count, shared by its caches
};

struct ItemWriter {
    cairo_t *cr;
    FontFiles &fonts;
    Pictures &pictures;
    ShapedTexts &texts;
    QString &error;

    // The face at its reference size, scaled about the text's origin.
    void operator()(const TextItem &item) const {
        const double scale = item.font.scale();
        cairo_save(cr);
        cairo_translate(cr, item.origin.x(), item.origin.y());
        cairo_scale(cr, scale, scale);
        for (const ShapedRun &run : texts.shape(item)) {
            cairo_font_face_t *face = fonts.face(run.font, error);
            if (!face)
                break;
            cairo_set_font_face(cr, face);
            cairo_set_font_size(cr, run.font.pixelSize());
            cairo_show_glyphs(cr, run.glyphs.data(), int(run.glyphs.size()));
        }
        cairo_restore(cr);
    }

    void operator()(const LineItem &item) const {
        cairo_set_line_width(cr, item.penWidth);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
        cairo_move_to(cr, item.line.x1(), item.line.y1());
        cairo_line_to(cr, item.line.x2(), item.line.y2());
        cairo_stroke(cr);
    }

    void operator()(const PictureItem &item) const {
        if (item.image.isNull())
            return;
        cairo_save(cr);
        cairo_translate(cr, item.target.x(), item.target.y());
        cairo_scale(cr, item.target.width() / item.image.width(),
                    item.target.height() / item.image.height());
        cairo_set_source_surface(cr, pictures.surface(item.image), 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
    }
};

QString writePages(const ReportDocument &document, const QString &title, QIODevice &device,
                   FontFiles &fonts, Pictures &pictures, ShapedTexts &texts) {
    const QSizeF size = document.pageSize() / TwipsPerPoint;
    const Surface surface(
        cairo_pdf_surface_create_for_stream(writeToDevice, &device, size.width(), size.height()));
    const QByteArray name = title.toUtf8();
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_TITLE, name.constData());
    cairo_pdf_surface_set_metadata(surface.get(), CAIRO_PDF_METADATA_CREATOR, name.constData());
    const Context context(cairo_create(surface.get()));
    cairo_t *cr = context.get();
    cairo_scale(cr, 1 / TwipsPerPoint, 1 / TwipsPerPoint);
    QString error;
    const ItemWriter writer{cr, fonts, pictures, texts, error};
    for (int number = 1; number <= document.pageCount() && error.isEmpty(); ++number) {
        const ReportPage &page = document.page(number);
        for (const auto *items : {&page.content, &page.overlay}) {
            for (const PageItem &item : *items)
                std::visit(writer, item);
        }
        cairo_show_page(cr);
    }
    cairo_surface_finish(surface.get());
    if (error.isEmpty() && cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        error = QString::fromUtf8(cairo_status_to_string(cairo_surface_status(surface.get())));
    return error;
}

} // namespace

struct PdfResources::Kept {
    ReportGenerations reports;
    FontFiles fonts{reports};
    Pictures pictures{reports};
    ShapedTexts texts{reports};
};

PdfResources::PdfResources() : m_kept(std::make_unique<Kept>()) {}

PdfResources::~PdfResources() = default;

QString WritePdfPages(const ReportDocument &document, const QString &title, QIODevice &device,
                      PdfResources &resources) {
    PdfResources::Kept &kept = *resources.m_kept;
    QString error = writePages(document, title, device, kept.fonts, kept.pictures, kept.texts);
    kept.fonts.forgetUnused();
    kept.pictures.forgetUnused();
    kept.texts.forgetUnused();
    kept.reports.next();
    return error;
}
