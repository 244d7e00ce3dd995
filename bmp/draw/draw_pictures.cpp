// Draws the button pictures and tree icons of bmp/ in one style: a rounded
// tile with a soft vertical gradient and a white glyph (buttons, 32x32), or a
// small flat glyph (tree icons, 16x16). Run by hand after changing a picture:
//   cmake --build build --target cr_draw_pictures && build/bmp/cr_draw_pictures bmp
// With a second argument SHEET.png it also writes all pictures, enlarged, on
// one sheet to look at.
// The produced files are committed; the application only reads them.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTextStream>
#include <functional>

namespace {

using Glyph = std::function<void(QPainter&)>;

// Role colours: the top and bottom of the tile gradient.
struct Tint {
    QColor top;
    QColor bottom;
};
const Tint kBlue{QColor(0x5b, 0x9b, 0xe6), QColor(0x23, 0x5f, 0xad)};
const Tint kGreen{QColor(0x5c, 0xc2, 0x6e), QColor(0x1f, 0x80, 0x3a)};
const Tint kOrange{QColor(0xf5, 0xb0, 0x4c), QColor(0xc8, 0x6a, 0x10)};
const Tint kRed{QColor(0xee, 0x6b, 0x63), QColor(0xb0, 0x2a, 0x22)};
const Tint kPurple{QColor(0xa4, 0x7f, 0xe0), QColor(0x62, 0x3c, 0xa8)};
const Tint kTeal{QColor(0x4c, 0xc4, 0xc0), QColor(0x17, 0x80, 0x7c)};

QPen glyphPen(qreal width = 2.6)
{
    QPen pen(Qt::white, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    return pen;
}

// A button picture (32x32 unless a larger size is asked for): tile, then the
// glyph drawn in a 32-unit box.
QImage tile(const Tint& tint, const Glyph& glyph, int size = 32)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QLinearGradient g(0, 1, 0, 31);
    g.setColorAt(0, tint.top);
    g.setColorAt(1, tint.bottom);
    p.setPen(QPen(tint.bottom.darker(130), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    // A faint gloss on the upper half keeps the tiles alike.
    QPainterPath gloss;
    gloss.addRoundedRect(QRectF(3, 3, 26, 12), 5, 5);
    p.fillPath(gloss, QColor(255, 255, 255, 38));
    p.setPen(glyphPen());
    p.setBrush(Qt::NoBrush);
    glyph(p);
    return img;
}

// A 16x16 tree icon: the glyph in colour on transparent ground.
QImage small(const Glyph& glyph)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    glyph(p);
    return img;
}

void triangle(QPainter& p, qreal tipX, qreal baseX, qreal cy, qreal half)
{
    QPolygonF t{QPointF(tipX, cy), QPointF(baseX, cy - half), QPointF(baseX, cy + half)};
    p.setBrush(Qt::white);
    p.drawPolygon(t);
    p.setBrush(Qt::NoBrush);
}

void floppy(QPainter& p, bool dashed)
{
    QPen pen = glyphPen(2.2);
    if (dashed) pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    QPainterPath body;
    body.moveTo(8, 7);
    body.lineTo(21, 7);
    body.lineTo(25, 11);
    body.lineTo(25, 25);
    body.lineTo(8, 25);
    body.closeSubpath();
    p.drawPath(body);
    p.setPen(glyphPen(2.2));
    p.fillRect(QRectF(11.5, 7, 8, 5.5), Qt::white);
    p.drawRect(QRectF(11, 17, 11, 8));
}

void sheets(QPainter& p)
{
    p.setPen(glyphPen(2.0));
    p.drawRect(QRectF(10, 5, 11, 14));
    p.drawRect(QRectF(6.5, 8.5, 11, 14));
}

// A white disc in the lower right with a plus or a minus in the tile colour.
void badge(QPainter& p, const QColor& colour, bool plus)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(22.5, 22.5), 6.5, 6.5);
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19, 22.5), QPointF(26, 22.5));
    if (plus) p.drawLine(QPointF(22.5, 19), QPointF(22.5, 26));
    p.setBrush(Qt::NoBrush);
}

void person(QPainter& p, QPointF head, qreal r, const QColor& c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(head, r, r);
    QPainterPath body;
    body.moveTo(head.x() - r * 1.8, head.y() + r * 3.4);
    body.quadTo(head.x() - r * 1.8, head.y() + r * 1.2, head.x(), head.y() + r * 1.2);
    body.quadTo(head.x() + r * 1.8, head.y() + r * 1.2, head.x() + r * 1.8, head.y() + r * 3.4);
    body.closeSubpath();
    p.drawPath(body);
}

void buildingShape(QPainter& p, QRectF r, const QColor& wall, const QColor& window)
{
    p.setPen(QPen(wall.darker(140), 1));
    p.setBrush(wall);
    p.drawRect(r);
    p.setPen(Qt::NoPen);
    p.setBrush(window);
    const qreal w = r.width() / 5;
    for (qreal y = r.top() + 2; y + 2 < r.bottom() - 2; y += 3)
        for (int c = 0; c < 2; ++c) p.drawRect(QRectF(r.left() + w * (1 + 2 * c) - 0.5, y, w, 1.6));
}

void houseShape(QPainter& p, QRectF r, const QColor& roof, const QColor& wall)
{
    p.setPen(QPen(roof.darker(130), 1));
    p.setBrush(roof);
    QPolygonF top{QPointF(r.left(), r.top() + r.height() * 0.45), QPointF(r.center().x(), r.top()),
                  QPointF(r.right(), r.top() + r.height() * 0.45)};
    p.drawPolygon(top);
    p.setPen(QPen(wall.darker(140), 1));
    p.setBrush(wall);
    p.drawRect(QRectF(r.left() + 2, r.top() + r.height() * 0.45, r.width() - 4, r.height() * 0.55));
    p.setBrush(roof.darker(120));
    p.drawRect(QRectF(r.center().x() - 1.5, r.bottom() - 5, 3, 5));
}

void checkBox(QPainter& p, bool ticked)
{
    p.setPen(QPen(QColor(0x35, 0x5f, 0x9a), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
    if (!ticked) return;
    p.setPen(QPen(QColor(0x1f, 0x80, 0x3a), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF{QPointF(4.8, 8.2), QPointF(7.2, 10.8), QPointF(11.6, 4.8)});
}

struct Picture {
    QString file;
    QImage image;
};

QList<Picture> pictures()
{
    QList<Picture> list;
    // Record window buttons.
    list.append({"cb_help.bmp", tile(kPurple, [](QPainter& p) {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(22);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("?"));
    })});
    list.append({"cb_First.bmp", tile(kBlue, [](QPainter& p) {
        p.drawLine(QPointF(9, 9), QPointF(9, 23));
        triangle(p, 11, 23, 16, 7);
    })});
    list.append({"cb_prior.bmp", tile(kBlue, [](QPainter& p) { triangle(p, 9, 22, 16, 7); })});
    list.append({"cb_Next.bmp", tile(kBlue, [](QPainter& p) { triangle(p, 23, 10, 16, 7); })});
    list.append({"cb_Last.bmp", tile(kBlue, [](QPainter& p) {
        triangle(p, 21, 9, 16, 7);
        p.drawLine(QPointF(23, 9), QPointF(23, 23));
    })});
    list.append({"cb_exit.bmp", tile(kRed, [](QPainter& p) {
        p.drawPolyline(QPolygonF{QPointF(17, 8), QPointF(9, 8), QPointF(9, 24), QPointF(17, 24)});
        p.drawLine(QPointF(13, 16), QPointF(25, 16));
        p.drawPolyline(QPolygonF{QPointF(21, 12), QPointF(25, 16), QPointF(21, 20)});
    })});
    list.append({"cb_save.bmp", tile(kGreen, [](QPainter& p) { floppy(p, false); })});
    list.append({"cb_TempSave.bmp", tile(kTeal, [](QPainter& p) { floppy(p, true); })});
    list.append({"cb_roll.bmp", tile(kOrange, [](QPainter& p) {
        // An arc turning back to its start: the record goes back to what is stored.
        p.drawArc(QRectF(8, 8, 16, 16), 150 * 16, -270 * 16);
        QPolygonF head{QPointF(5.5, 11), QPointF(13, 11.5), QPointF(8.5, 17.5)};
        p.setBrush(Qt::white);
        p.drawPolygon(head);
    })});
    // Batch house window.
    list.append({"cb_batchadd.bmp", tile(kGreen, [](QPainter& p) {
        sheets(p);
        badge(p, kGreen.bottom, true);
    })});
    list.append({"cb_batchdel.bmp", tile(kRed, [](QPainter& p) {
        sheets(p);
        badge(p, kRed.bottom, false);
    })});
    list.append({"cb_close.bmp", tile(kRed, [](QPainter& p) {
        p.drawLine(QPointF(10, 10), QPointF(22, 22));
        p.drawLine(QPointF(22, 10), QPointF(10, 22));
    })});
    // Dialog buttons.
    list.append({"cb_ok.bmp", tile(kGreen, [](QPainter& p) {
        p.setPen(glyphPen(3.2));
        p.drawPolyline(QPolygonF{QPointF(9, 16.5), QPointF(14, 21.5), QPointF(23.5, 10.5)});
    })});
    list.append({"cb_cancel.bmp", tile(kRed, [](QPainter& p) {
        p.drawEllipse(QRectF(8.5, 8.5, 15, 15));
        p.drawLine(QPointF(11, 21), QPointF(21, 11));
    })});
    list.append({"OG_InhabitantTeam.bmp", tile(kTeal, [](QPainter& p) {
        person(p, QPointF(10, 12), 2.6, QColor(255, 255, 255, 190));
        person(p, QPointF(22, 12), 2.6, QColor(255, 255, 255, 190));
        person(p, QPointF(16, 10), 3.2, Qt::white);
    })});
    // Tree icons of the scope dialog.
    list.append({"003.ico", small([](QPainter& p) {
        buildingShape(p, QRectF(1.5, 5.5, 6, 9.5), QColor(0x8a, 0xb4, 0xe8), QColor(0x23, 0x5f, 0xad));
        buildingShape(p, QRectF(8.5, 2.5, 6, 12.5), QColor(0x5b, 0x9b, 0xe6), QColor(0x1a, 0x45, 0x80));
    })});
    list.append({"1.ico", small([](QPainter& p) {
        buildingShape(p, QRectF(3.5, 1.5, 9, 13.5), QColor(0x5b, 0x9b, 0xe6), QColor(0x1a, 0x45, 0x80));
    })});
    list.append({"2.ico", small([](QPainter& p) {
        p.setPen(QPen(QColor(0x8a, 0x4b, 0x12), 1));
        p.setBrush(QColor(0xf5, 0xb0, 0x4c));
        p.drawRect(QRectF(3.5, 1.5, 9, 13.5));
        p.setBrush(QColor(0xc8, 0x6a, 0x10));
        p.drawRect(QRectF(5.5, 3.5, 5, 11.5));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(9.3, 9.5), 0.9, 0.9);
    })});
    list.append({"3.ico", small([](QPainter& p) {
        houseShape(p, QRectF(1.5, 1.5, 13, 13.5), QColor(0xb0, 0x2a, 0x22), QColor(0xfb, 0xe8, 0xc8));
    })});
    list.append({"people.ico", small([](QPainter& p) { person(p, QPointF(8, 4.5), 2.8, QColor(0x1f, 0x80, 0x3a)); })});
    list.append({"16father.ico", small([](QPainter& p) {
        person(p, QPointF(5.5, 5), 2.3, QColor(0x23, 0x5f, 0xad));
        person(p, QPointF(11, 6.5), 2.0, QColor(0xc8, 0x6a, 0x10));
    })});
    // Check states of the scope tree.
    list.append({"no.bmp", small([](QPainter& p) { checkBox(p, false); })});
    list.append({"yes.bmp", small([](QPainter& p) { checkBox(p, true); })});
    // The application's own icon (the windows' "AppIcon!"), also in a size
    // for the desktop's menu.
    const Glyph buildings = [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 13, 8, 12));
        p.drawRect(QRectF(17, 8, 8, 17));
        p.setBrush(QColor(0x23, 0x5f, 0xad));
        for (int r = 0; r < 3; ++r) {
            p.drawRect(QRectF(9, 15.5 + r * 3.2, 4, 1.6));
            p.drawRect(QRectF(19, 10.5 + r * 4.2, 4, 1.8));
        }
    };
    list.append({"AppIcon.png", tile(kBlue, buildings)});
    list.append({"AppIcon-128.png", tile(kBlue, buildings, 128)});
    return list;
}

// BMP files carry no transparency in every reader, so the button and state
// pictures are flattened on the usual window grey; icons and PNG keep alpha.
QImage forFile(const QString& file, const QImage& image)
{
    if (!file.endsWith(QStringLiteral(".bmp"))) return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(QColor(0xef, 0xef, 0xef));
    QPainter p(&flat);
    p.drawImage(0, 0, image);
    return flat;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(outDir);
    QTextStream out(stdout);
    int failures = 0;
    for (const Picture& pic : pictures()) {
        const QString path = QDir(outDir).filePath(pic.file);
        QImageWriter writer(path);
        if (!writer.write(forFile(pic.file, pic.image))) {
            out << "cannot write " << path << ": " << writer.errorString() << "\n";
            ++failures;
            continue;
        }
        out << path << "\n";
    }
    if (argc > 2) {
        const QList<Picture> all = pictures();
        const int cell = 136;
        QImage sheet(cell * 6, cell * ((all.size() + 5) / 6), QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter p(&sheet);
        for (int i = 0; i < all.size(); ++i) {
            const QImage img = forFile(all[i].file, all[i].image);
            const QRect target((i % 6) * cell + 20, (i / 6) * cell + 4, 96, 96);   // every picture enlarged alike
            p.drawImage(target, img);
            p.drawText(QRect((i % 6) * cell, (i / 6) * cell + 110, cell, 20), Qt::AlignCenter, all[i].file);
        }
        p.end();
        sheet.save(QString::fromLocal8Bit(argv[2]));
    }
    return failures == 0 ? 0 : 1;
}
