#include "CheckPainter.h"

#include <QFont>
#include <QPainter>
#include <QPen>

namespace h32grr {
namespace {

// The page is laid out in points (1/72 inch) on a US letter sheet: the check
// takes the top 3.5 inches, the stub the rest.
constexpr qreal kWidth = 612;
constexpr qreal kHeight = 792;
constexpr qreal kMargin = 36;
constexpr qreal kCheckBottom = 252;
constexpr qreal kRow = 14;

QString Q(const std::string& text) { return QString::fromStdString(text); }

void Text(QPainter& p, qreal x, qreal y, qreal w, const QString& text,
          Qt::Alignment align = Qt::AlignLeft) {
    p.drawText(QRectF(x, y, w, kRow + 4), align | Qt::AlignVCenter | Qt::TextSingleLine, text);
}

// The painter is scaled to points, so a font's pixel size is its size in
// points; a point size would be scaled twice, once by the device's resolution.
void SetFont(QPainter& p, int points, bool bold = false) {
    QFont font("DejaVu Sans");
    font.setPixelSize(points);
    font.setBold(bold);
    p.setFont(font);
}

void PaintCheckFace(QPainter& p, const hvx::settlement::CheckData& check) {
    const qreal right = kWidth - kMargin;
    SetFont(p, 13, true);
    Text(p, kMargin, kMargin, 300, "Settlement Check");
    SetFont(p, 10);
    Text(p, right - 200, kMargin, 200, "Check No. " + Q(check.checkNumber), Qt::AlignRight);
    Text(p, right - 200, kMargin + 20, 200, "Date " + Q(check.date), Qt::AlignRight);

    SetFont(p, 9);
    Text(p, kMargin, 100, 120, "Pay to the order of");
    SetFont(p, 11, true);
    Text(p, kMargin + 110, 100, 330, Q(check.payTo));
    p.drawLine(QPointF(kMargin + 110, 118), QPointF(right - 120, 118));
    // The figures in a box, so nothing can be written in front of them.
    p.drawRect(QRectF(right - 110, 96, 110, 24));
    Text(p, right - 106, 99, 102, "$" + Q(check.amountFigures), Qt::AlignRight);

    SetFont(p, 10);
    // The words are closed off with asterisks to the end of the line.
    Text(p, kMargin, 136, right - kMargin, Q(check.amountWords) + " " + QString(20, '*'));
    p.drawLine(QPointF(kMargin, 154), QPointF(right, 154));

    SetFont(p, 9);
    Text(p, kMargin, 200, 250, "Settlement " + Q(check.settlement));
    p.drawLine(QPointF(right - 200, 220), QPointF(right, 220));
    Text(p, right - 200, 222, 200, "Authorized Signature", Qt::AlignHCenter);

    QPen dashed = p.pen();
    dashed.setStyle(Qt::DashLine);
    p.save();
    p.setPen(dashed);
    p.drawLine(QPointF(0, kCheckBottom), QPointF(kWidth, kCheckBottom));
    p.restore();
}

// Column edges of the stub: description, units, price, amount.
constexpr qreal kUnitsX = 300, kPriceX = 390, kAmountX = 480, kColumnW = 96;

void PaintStubHeading(QPainter& p, const hvx::settlement::CheckData& check, qreal y) {
    SetFont(p, 9, true);
    Text(p, kMargin, y, 400,
         "Settlement " + Q(check.settlement) + "   Check " + Q(check.checkNumber) + "   " +
             Q(check.date));
    y += kRow + 4;
    Text(p, kMargin, y, 250, "Description");
    Text(p, kUnitsX, y, kColumnW - 6, "Units", Qt::AlignRight);
    Text(p, kPriceX, y, kColumnW - 6, "Price", Qt::AlignRight);
    Text(p, kAmountX, y, kColumnW, "Amount", Qt::AlignRight);
    SetFont(p, 9);
}

}  // namespace

bool PaintCheck(QPagedPaintDevice& device, const hvx::settlement::CheckData& check) {
    QPainter p;
    if (!p.begin(&device)) return false;
    p.scale(device.logicalDpiX() / 72.0, device.logicalDpiY() / 72.0);
    PaintCheckFace(p, check);

    qreal y = kCheckBottom + 18;
    PaintStubHeading(p, check, y);
    y += 2 * kRow + 8;
    for (const hvx::settlement::CheckStubLine& line : check.stub) {
        if (y > kHeight - kMargin - kRow) {
            device.newPage();
            y = kMargin;
            PaintStubHeading(p, check, y);
            y += 2 * kRow + 8;
        }
        Text(p, kMargin, y, kUnitsX - kMargin - 6, Q(line.text));
        Text(p, kUnitsX, y, kColumnW - 6, Q(line.units), Qt::AlignRight);
        Text(p, kPriceX, y, kColumnW - 6, Q(line.price), Qt::AlignRight);
        Text(p, kAmountX, y, kColumnW, Q(line.amount), Qt::AlignRight);
        y += kRow;
    }
    return p.end();
}

}  // namespace h32grr
