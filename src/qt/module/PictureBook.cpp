#include "qt/module/PictureBook.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <utility>

namespace hvx::module {
namespace {

using Draw = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 48);
const QColor kPaper(252, 250, 240);
const QColor kRed(200, 30, 30);
const QColor kGreen(30, 130, 60);
const QColor kBlue(40, 90, 170);
const QColor kGold(205, 160, 40);

QPen Pen(const QColor& color, qreal width = 1) {
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A sheet of paper with a folded top-right corner, the base of the document
// pictures.
void Sheet(QPainter& p, const QRectF& r, const QColor& paper = kPaper) {
    const qreal fold = 3;
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(paper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()),
                              QPointF(r.right() - fold, r.top() + fold),
                              QPointF(r.right(), r.top() + fold)}));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count, qreal step = 2) {
    p.setPen(Pen(QColor(120, 120, 140), 0.7));
    for (int i = 0; i < count; ++i) p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void Notebook(QPainter& p) {
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(QColor(90, 130, 200));
    p.drawRoundedRect(QRectF(3.5, 1.5, 10, 13), 1, 1);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 3.5, 6.5, 9));
    TextLines(p, 6.5, 11, 5.5, 4);
    p.setPen(Pen(kInk, 1));
    for (qreal y = 3; y < 14; y += 2.5) p.drawLine(QPointF(2, y), QPointF(4.5, y));
}

void Dollar(QPainter& p) {
    p.setPen(Pen(kGreen, 1.6));
    QPainterPath s;
    s.moveTo(11, 4.5);
    s.cubicTo(10, 3, 5, 3, 5, 5.8);
    s.cubicTo(5, 8.5, 11, 7.5, 11, 10.5);
    s.cubicTo(11, 13.2, 6, 13, 5, 11.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(s);
    p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
}

void RedX(QPainter& p) {
    p.setPen(Pen(kRed, 2.4));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void RedCheck(QPainter& p) {
    p.setPen(Pen(kRed, 2.2));
    p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3.5)}));
}

// Stacked sheets: a group of records; the variants differ in colour and
// count so the windows can tell them apart.
void Group(QPainter& p, int sheets, const QColor& paper) {
    for (int i = sheets - 1; i >= 0; --i) Sheet(p, QRectF(2.5 + 2 * i, 1.5 + 2 * i, 8, 10), paper);
}

void Document(QPainter& p) {
    Sheet(p, QRectF(3.5, 1.5, 9, 13));
    TextLines(p, 5, 11, 5, 4, 2.2);
}

// The small arrow of a field's pop-up (lookup) button.
void PopupButton(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF({QPointF(4, 6), QPointF(12, 6), QPointF(8, 11)}));
}

// An arrow going down into a tray: load a record.
void Loader(QPainter& p) {
    p.setPen(Pen(kBlue, 1.6));
    p.drawLine(QPointF(8, 1.5), QPointF(8, 9.5));
    p.drawPolyline(QPolygonF({QPointF(4.5, 6.5), QPointF(8, 10), QPointF(11.5, 6.5)}));
    p.setPen(Pen(kInk, 1.2));
    p.drawPolyline(QPolygonF({QPointF(2, 10.5), QPointF(2, 14), QPointF(14, 14), QPointF(14, 10.5)}));
}

// A calendar sheet, for the date fields' button.
void Calendar(QPainter& p) {
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 3.5, 11, 10.5));
    p.setBrush(kRed);
    p.drawRect(QRectF(2.5, 3.5, 11, 3));
    p.setPen(Pen(kInk, 1.2));
    p.drawLine(QPointF(5, 2), QPointF(5, 4.5));
    p.drawLine(QPointF(11, 2), QPointF(11, 4.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col) p.drawRect(QRectF(4.3 + col * 2.8, 8 + row * 2.8, 1.6, 1.6));
}

// A contract: a page of terms with a signature line and a seal.
void Contract(QPainter& p) {
    Sheet(p, QRectF(2.5, 0.5, 11, 15));
    TextLines(p, 4.5, 11.5, 3.5, 4, 1.8);
    p.setPen(Pen(kBlue, 0.9));
    QPainterPath signature;
    signature.moveTo(4.5, 12.5);
    signature.cubicTo(5.5, 10.5, 6.5, 13.5, 7.5, 11.5);
    signature.cubicTo(8, 10.8, 8.5, 12.8, 9.5, 12);
    p.setBrush(Qt::NoBrush);
    p.drawPath(signature);
    p.setPen(Pen(kRed.darker(120), 0.6));
    p.setBrush(kGold);
    p.drawEllipse(QPointF(11.3, 12.3), 2.2, 2.2);
}

// A padlock: the record-lock information button.
void Padlock(QPainter& p) {
    p.setPen(Pen(kInk, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 1.5, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 5.5), QPointF(4.5, 7.5));
    p.drawLine(QPointF(11.5, 5.5), QPointF(11.5, 7.5));
    p.setPen(Pen(kInk, 0.8));
    p.setBrush(kGold);
    p.drawRoundedRect(QRectF(3, 7.5, 10, 7), 1, 1);
    p.setPen(Pen(kInk, 1.2));
    p.drawLine(QPointF(8, 10), QPointF(8, 12.2));
}

// A magnifying glass over a page, at one of four places on its round: the
// picture of a search that is running.
void Searching(QPainter& p, int step) {
    Sheet(p, QRectF(1.5, 0.5, 10, 13));
    TextLines(p, 3.5, 9.5, 3, 4, 2);
    static const QPointF places[4] = {{8, 7}, {9.5, 8.5}, {8, 10}, {6.5, 8.5}};
    const QPointF centre = places[step];
    p.setPen(Pen(kInk, 1.8));
    p.drawLine(centre + QPointF(2.6, 2.6), centre + QPointF(5.5, 5.5));
    p.setPen(Pen(kBlue, 1.2));
    p.setBrush(QColor(210, 230, 255, 170));
    p.drawEllipse(centre, 3.4, 3.4);
}

const std::vector<std::pair<QString, Draw>>& Book() {
    static const std::vector<std::pair<QString, Draw>> book = {
        {"NOTEB", Notebook},
        {"SDOL", Dollar},
        {"REDX", RedX},
        {"SGROUP", [](QPainter& p) { Group(p, 3, kPaper); }},
        {"SGRP1", [](QPainter& p) { Group(p, 2, QColor(220, 235, 255)); }},
        {"SGRP2", [](QPainter& p) { Group(p, 2, QColor(225, 245, 220)); }},
        {"SDOC2", Document},
        {"SREDCHK", RedCheck},
        {"POPB", PopupButton},
        {"LOADER", Loader},
        {"BMP30", Calendar},
        {"contract", Contract},
        {"LOCKBUTT", Padlock},
        {"SRCHBMP1", [](QPainter& p) { Searching(p, 0); }},
        {"SRCHBMP2", [](QPainter& p) { Searching(p, 1); }},
        {"SRCHBMP3", [](QPainter& p) { Searching(p, 2); }},
        {"SRCHBMP4", [](QPainter& p) { Searching(p, 3); }},
    };
    return book;
}

}  // namespace

QStringList PictureNames() {
    QStringList names;
    for (const auto& entry : Book()) names << entry.first;
    return names;
}

QPixmap DrawPicture(const QString& name) {
    for (const auto& [pictureName, draw] : Book()) {
        if (pictureName != name) continue;
        QPixmap pixmap(32, 32);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(2, 2);
        draw(painter);
        return pixmap;
    }
    return {};
}

}  // namespace hvx::module
