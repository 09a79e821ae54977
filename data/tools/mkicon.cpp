// Paints the program's icon, drawn as SVG, into the PNG sizes of the desktop's icon theme, with
// QPainter alone: the build needs no SVG library. It reads the few shapes the icon is drawn
// with and refuses anything else, so that an icon edited beyond them fails the build instead
// of coming out wrong.
//
//   kelvora_mkicon <icon.svg> <output folder> <size>...
//
// writes <output folder>/<size>x<size>/apps/<name>.png for every size, <name> being the SVG's.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QXmlStreamReader>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

// The path data commands M L H V C Q Z, absolute (upper case) and relative (lower case).
QPainterPath parsePath(const QString& d) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);  // SVG's default, "nonzero"
    qsizetype i = 0;
    const qsizetype n = d.size();
    auto skip = [&] {
        while (i < n && (d[i].isSpace() || d[i] == u',')) {
            ++i;
        }
    };
    auto number = [&] {
        skip();
        const qsizetype begin = i;
        if (i < n && (d[i] == u'-' || d[i] == u'+')) {
            ++i;
        }
        while (i < n && (d[i].isDigit() || d[i] == u'.' || d[i] == u'e' || d[i] == u'E')) {
            ++i;
        }
        bool ok = false;
        const double value = d.mid(begin, i - begin).toDouble(&ok);
        if (!ok) {
            fail(QStringLiteral("path: a number expected at ") + QString::number(begin));
        }
        return value;
    };
    QChar command;
    QPointF current;
    QPointF start;
    auto point = [&](bool relative) {
        const double x = number();
        const double y = number();
        return relative ? current + QPointF(x, y) : QPointF(x, y);
    };
    for (skip(); i < n; skip()) {
        if (d[i].isLetter()) {
            command = d[i++];
        } else if (command.isNull() || command.toUpper() == u'Z') {
            fail(QStringLiteral("path: a command expected at ") + QString::number(i));
        }
        const bool relative = command.isLower();
        switch (command.toUpper().unicode()) {
            case u'M':
                current = start = point(relative);
                path.moveTo(current);
                command = relative ? u'l' : u'L';  // further pairs draw lines
                break;
            case u'L':
                current = point(relative);
                path.lineTo(current);
                break;
            case u'H':
                current.setX(number() + (relative ? current.x() : 0));
                path.lineTo(current);
                break;
            case u'V':
                current.setY(number() + (relative ? current.y() : 0));
                path.lineTo(current);
                break;
            case u'C': {
                const QPointF c1 = point(relative);
                const QPointF c2 = point(relative);
                current = point(relative);
                path.cubicTo(c1, c2, current);
                break;
            }
            case u'Q': {
                const QPointF c = point(relative);
                current = point(relative);
                path.quadTo(c, current);
                break;
            }
            case u'Z':
                path.closeSubpath();
                current = start;
                break;
            default:
                fail(QStringLiteral("path: command ") + command + QStringLiteral(" is not drawn"));
        }
    }
    return path;
}

double attributeNumber(const QXmlStreamAttributes& attributes, const char* name, double fallback) {
    const QStringView text = attributes.value(QLatin1String(name));
    if (text.isEmpty()) {
        return fallback;
    }
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok) {
        fail(QStringLiteral("%1=\"%2\" is no number").arg(QLatin1String(name), text));
    }
    return value;
}

QColor paint(QStringView text) {
    if (text == u"none") {
        return {};
    }
    const QColor colour = QColor::fromString(text);
    if (!colour.isValid()) {
        fail(QStringLiteral("\"%1\" is no colour").arg(text));
    }
    return colour;
}

// One shape with its fill and stroke, in the SVG's own coordinates.
struct Shape {
    QPainterPath path;
    QBrush fill;
    QPen stroke;
};

Shape readShape(const QXmlStreamReader& xml) {
    const QXmlStreamAttributes attributes = xml.attributes();
    const QStringView element = xml.name();
    const QStringList geometry = element == u"rect"
                                     ? QStringList{"x", "y", "width", "height", "rx", "ry"}
                                 : element == u"circle" ? QStringList{"cx", "cy", "r"}
                                                        : QStringList{"d"};
    const QStringList style{"fill", "stroke", "stroke-width", "stroke-linecap", "stroke-linejoin"};
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QString name = attribute.qualifiedName().toString();
        if (!geometry.contains(name) && !style.contains(name) && name != u"id") {
            fail(QStringLiteral("<%1 %2> is not drawn").arg(element, name));
        }
    }
    auto number = [&](const char* name) { return attributeNumber(attributes, name, 0); };

    Shape shape;
    shape.path.setFillRule(Qt::WindingFill);
    if (element == u"rect") {
        const double rx = attributeNumber(attributes, "rx", number("ry"));
        const double ry = attributeNumber(attributes, "ry", rx);
        shape.path.addRoundedRect(
            QRectF(number("x"), number("y"), number("width"), number("height")), rx, ry);
    } else if (element == u"circle") {
        const double r = number("r");
        shape.path.addEllipse(QPointF(number("cx"), number("cy")), r, r);
    } else {
        shape.path = parsePath(attributes.value(QLatin1String("d")).toString());
    }

    // SVG's defaults: filled black, no stroke, one unit wide, butt ends, mitred corners.
    const QColor fill = attributes.hasAttribute(QLatin1String("fill"))
                            ? paint(attributes.value(QLatin1String("fill")))
                            : QColor(Qt::black);
    shape.fill = fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush);
    const QColor stroke = paint(attributes.hasAttribute(QLatin1String("stroke"))
                                    ? attributes.value(QLatin1String("stroke"))
                                    : QStringView(u"none"));
    if (!stroke.isValid()) {
        shape.stroke = QPen(Qt::NoPen);
        return shape;
    }
    shape.stroke = QPen(stroke, attributeNumber(attributes, "stroke-width", 1));
    const QStringView cap = attributes.value(QLatin1String("stroke-linecap"));
    shape.stroke.setCapStyle(cap == u"round"    ? Qt::RoundCap
                             : cap == u"square" ? Qt::SquareCap
                                                : Qt::FlatCap);
    const QStringView join = attributes.value(QLatin1String("stroke-linejoin"));
    shape.stroke.setJoinStyle(join == u"round"   ? Qt::RoundJoin
                              : join == u"bevel" ? Qt::BevelJoin
                                                 : Qt::MiterJoin);
    return shape;
}

struct Icon {
    QRectF viewBox;
    std::vector<Shape> shapes;
};

Icon readIcon(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("cannot read ") + fileName);
    }
    QXmlStreamReader xml(&file);
    Icon icon;
    if (!xml.readNextStartElement() || xml.name() != u"svg") {
        fail(fileName + QStringLiteral(" holds no svg element"));
    }
    const QStringList box = xml.attributes()
                                .value(QLatin1String("viewBox"))
                                .toString()
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (box.size() != 4) {
        fail(QStringLiteral("the svg element needs a viewBox of four numbers"));
    }
    icon.viewBox =
        QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble());
    while (xml.readNextStartElement()) {
        const QStringView element = xml.name();
        if (element == u"rect" || element == u"circle" || element == u"path") {
            icon.shapes.push_back(readShape(xml));
        } else if (element != u"title" && element != u"desc") {
            fail(QStringLiteral("<%1> is not drawn").arg(element));
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        fail(fileName + QStringLiteral(": ") + xml.errorString());
    }
    if (icon.viewBox.isEmpty() || icon.shapes.empty()) {
        fail(fileName + QStringLiteral(" draws nothing"));
    }
    return icon;
}

QImage render(const Icon& icon, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / icon.viewBox.width(), size / icon.viewBox.height());
    painter.translate(-icon.viewBox.topLeft());
    for (const Shape& shape : icon.shapes) {
        painter.fillPath(shape.path, shape.fill);
        painter.strokePath(shape.path, shape.stroke);
    }
    painter.end();
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <icon.svg> <output folder> <size>...\n", argv[0]);
        return 2;
    }
    try {
        const QString svg = QString::fromLocal8Bit(argv[1]);
        const Icon icon = readIcon(svg);
        const QString name = QFileInfo(svg).completeBaseName() + QStringLiteral(".png");
        for (int a = 3; a < argc; ++a) {
            bool ok = false;
            const int size = QString::fromLatin1(argv[a]).toInt(&ok);
            if (!ok || size <= 0) {
                fail(QStringLiteral("%1 is no size").arg(QString::fromLocal8Bit(argv[a])));
            }
            const QString folder =
                QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(size);
            if (!QDir().mkpath(folder) || !render(icon, size).save(folder + u'/' + name, "PNG")) {
                fail(QStringLiteral("cannot write ") + folder + u'/' + name);
            }
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvora_mkicon: %s\n", error.what());
        return 1;
    }
    return 0;
}
