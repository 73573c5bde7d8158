// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfWriter.h"

#include <algorithm>
#include <QColor>
#include <QHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

namespace formats {

namespace {

constexpr int DefaultHalfPoints = 24;

// The fonts and colours a document uses, numbered in the order they first appear; colour 0 is
// left to the reader's default.
class Tables {
public:
    explicit Tables(const QTextDocument& document);

    int font(const QString& family) const { return fonts_.value(family); }
    int color(const QTextCharFormat& format) const;
    QByteArray header() const;

private:
    void add(const QTextCharFormat& format, const QFont& base);

    QStringList families_;
    QHash<QString, int> fonts_;
    QList<QRgb> colors_;
    QHash<QRgb, int> colorIndex_;
};

// The font a run is shown in: its own properties over the document's.
QFont effectiveFont(const QTextCharFormat& format, const QFont& base)
{
    return format.font().resolve(base);
}

template <typename Visit> void forEachFragment(const QTextDocument& document, Visit visit)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                visit(it.fragment());
        }
    }
}

Tables::Tables(const QTextDocument& document)
{
    add(QTextCharFormat(), document.defaultFont());
    forEachFragment(document, [&](const QTextFragment& fragment) {
        add(fragment.charFormat(), document.defaultFont());
    });
}

void Tables::add(const QTextCharFormat& format, const QFont& base)
{
    const QString family = effectiveFont(format, base).family();
    if (!fonts_.contains(family)) {
        fonts_.insert(family, static_cast<int>(families_.size()));
        families_.append(family);
    }
    if (format.foreground().style() == Qt::NoBrush)
        return;
    const QRgb rgb = format.foreground().color().rgb();
    if (!colorIndex_.contains(rgb)) {
        colors_.append(rgb);
        colorIndex_.insert(rgb, static_cast<int>(colors_.size()));
    }
}

int Tables::color(const QTextCharFormat& format) const
{
    if (format.foreground().style() == Qt::NoBrush)
        return 0;
    return colorIndex_.value(format.foreground().color().rgb());
}

void appendText(QByteArray& out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == u'\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator) {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x7F) {
            out += static_cast<char>(u);
        } else if (u >= 0x7F && u != QChar::ObjectReplacementCharacter) {
            // Values above 32767 are written negative, as RTF's 16-bit parameters are.
            out += "\\u" + QByteArray::number(static_cast<qint16>(u)) + '?';
        }
    }
}

QByteArray Tables::header() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n{\\fonttbl";
    for (qsizetype i = 0; i < families_.size(); ++i) {
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 ";
        appendText(out, QString(families_[i]).remove(u';'));
        out += ";}";
    }
    out += "}\r\n{\\colortbl;";
    for (const QRgb rgb : colors_) {
        out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" +
               QByteArray::number(qGreen(rgb)) + "\\blue" + QByteArray::number(qBlue(rgb)) + ';';
    }
    out += "}\r\n";
    return out;
}

int halfPoints(const QFont& font)
{
    // Fonts sized in pixels are taken at 96 dots per inch.
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
    return points > 0 ? std::max(1, qRound(points * 2)) : DefaultHalfPoints;
}

QByteArray alignmentWord(Qt::Alignment alignment)
{
    switch (alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) {
    case Qt::AlignHCenter:
        return "\\qc";
    case Qt::AlignRight:
        return "\\qr";
    case Qt::AlignJustify:
        return "\\qj";
    default:
        return "\\ql";
    }
}

// A run is a group of its own, so no property leaks into the next.
void appendRun(QByteArray& out, const QTextFragment& fragment, const Tables& tables,
               const QFont& base)
{
    const QTextCharFormat format = fragment.charFormat();
    const QFont font = effectiveFont(format, base);
    out += "{\\f" + QByteArray::number(tables.font(font.family())) + "\\fs" +
           QByteArray::number(halfPoints(font));
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    if (font.underline())
        out += "\\ul";
    if (font.strikeOut())
        out += "\\strike";
    if (const int color = tables.color(format); color > 0)
        out += "\\cf" + QByteArray::number(color);
    out += ' ';
    appendText(out, fragment.text());
    out += '}';
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    const Tables tables(document);
    QByteArray out = tables.header();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        out += "\\pard" + alignmentWord(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().isValid())
                appendRun(out, it.fragment(), tables, document.defaultFont());
        }
        out += "\\par\r\n";
    }
    out += '}';
    return out;
}

} // namespace formats
