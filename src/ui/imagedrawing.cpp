#include "imagedrawing.h"

#include "store/kinds.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Outline(60, 60, 60);

void folder(QPainter &p, bool open, QColor body)
{
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(15, 11);
    back.lineTo(29, 11);
    back.lineTo(29, 27);
    back.lineTo(3, 27);
    back.closeSubpath();
    p.setBrush(body.darker(115));
    p.drawPath(back);
    if (open) {
        QPainterPath flap;
        flap.moveTo(7, 15);
        flap.lineTo(31, 15);
        flap.lineTo(27, 27);
        flap.lineTo(3, 27);
        flap.closeSubpath();
        p.setBrush(body.lighter(120));
        p.drawPath(flap);
    } else {
        p.setBrush(body);
        p.drawRect(QRectF(3, 13, 26, 14));
    }
}

void person(QPainter &p, QPointF at, qreal scale, QColor shirt)
{
    p.setBrush(QColor(240, 200, 160));
    p.drawEllipse(QRectF(at + QPointF(-5 * scale, 0), QSizeF(10 * scale, 10 * scale)));
    QPainterPath body;
    body.moveTo(at + QPointF(-9 * scale, 22 * scale));
    body.cubicTo(at + QPointF(-9 * scale, 11 * scale), at + QPointF(9 * scale, 11 * scale),
                 at + QPointF(9 * scale, 22 * scale));
    body.closeSubpath();
    p.setBrush(shirt);
    p.drawPath(body);
}

void page(QPainter &p, QColor paper)
{
    QPainterPath sheet;
    sheet.moveTo(7, 3);
    sheet.lineTo(20, 3);
    sheet.lineTo(26, 9);
    sheet.lineTo(26, 29);
    sheet.lineTo(7, 29);
    sheet.closeSubpath();
    p.setBrush(paper);
    p.drawPath(sheet);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
    for (int y = 14; y <= 24; y += 5)
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

void globe(QPainter &p, QRectF r)
{
    p.setBrush(QColor(90, 150, 220));
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(r.width() * 0.3, 0, -r.width() * 0.3, 0));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
}

void drawKind(QPainter &p, int index)
{
    switch (index) {
    case Kinds::Folder:
        folder(p, false, QColor(240, 200, 80));
        break;
    case Images::OpenFolder:
        folder(p, true, QColor(240, 200, 80));
        break;
    case Images::RemoteFolder:
    case Images::OpenRemoteFolder:
        folder(p, index == Images::OpenRemoteFolder, QColor(150, 180, 210));
        globe(p, QRectF(18, 17, 12, 12));
        break;
    case Kinds::Organization:
        p.setBrush(QColor(170, 170, 185));
        p.drawRect(QRectF(6, 4, 20, 25));
        p.setBrush(QColor(250, 240, 160));
        for (int y = 7; y < 24; y += 6)
            for (int x = 9; x < 24; x += 6)
                p.drawRect(QRectF(x, y, 3, 3));
        p.setBrush(QColor(110, 80, 60));
        p.drawRect(QRectF(14, 23, 4, 6));
        break;
    case Kinds::Team:
        person(p, QPointF(11, 5), 0.9, QColor(90, 160, 90));
        person(p, QPointF(21, 7), 0.9, QColor(70, 120, 200));
        break;
    case Kinds::Person:
        person(p, QPointF(16, 3), 1.2, QColor(70, 120, 200));
        break;
    case Kinds::Website:
        globe(p, QRectF(4, 4, 24, 24));
        break;
    case Kinds::Address: {
        QPainterPath roof;
        roof.moveTo(3, 15);
        roof.lineTo(16, 4);
        roof.lineTo(29, 15);
        roof.closeSubpath();
        p.setBrush(QColor(200, 80, 60));
        p.drawPath(roof);
        p.setBrush(QColor(235, 225, 200));
        p.drawRect(QRectF(7, 15, 18, 13));
        p.setBrush(QColor(110, 80, 60));
        p.drawRect(QRectF(14, 20, 5, 8));
        break;
    }
    case Kinds::Phone: {
        p.setBrush(QColor(50, 50, 50));
        QPainterPath handset;
        handset.moveTo(6, 13);
        handset.cubicTo(6, 3, 26, 3, 26, 13);
        handset.lineTo(21, 13);
        handset.cubicTo(21, 9, 11, 9, 11, 13);
        handset.closeSubpath();
        p.drawPath(handset);
        p.setBrush(QColor(200, 60, 60));
        p.drawRoundedRect(QRectF(6, 15, 20, 13), 3, 3);
        p.setBrush(Qt::white);
        for (int y = 18; y < 27; y += 4)
            for (int x = 10; x < 24; x += 5)
                p.drawRect(QRectF(x, y, 2, 2));
        break;
    }
    case Kinds::EMail:
        p.setBrush(QColor(250, 250, 240));
        p.drawRect(QRectF(3, 8, 26, 17));
        p.drawLine(QPointF(3, 8), QPointF(16, 18));
        p.drawLine(QPointF(29, 8), QPointF(16, 18));
        break;
    case Kinds::Fax:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(9, 3, 14, 12));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(4, 13, 24, 15), 2, 2);
        p.setBrush(QColor(60, 200, 60));
        p.drawEllipse(QRectF(22, 16, 3, 3));
        break;
    case Kinds::Reminder:
        p.setBrush(QColor(255, 250, 230));
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
        break;
    case Images::Document:
        page(p, QColor(255, 255, 255));
        break;
    default: // the root and tools: the address book
        p.setBrush(QColor(150, 60, 60));
        p.drawRoundedRect(QRectF(6, 3, 21, 26), 2, 2);
        p.setBrush(QColor(245, 240, 225));
        p.drawRect(QRectF(10, 7, 13, 8));
        p.setBrush(QColor(40, 40, 40));
        for (int y = 7; y < 28; y += 5)
            p.drawRect(QRectF(4, y, 4, 2));
        break;
    }
}

} // namespace

namespace ImageDrawing {

QPixmap KindImage(int index, int size)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Outline, size >= 32 ? 1.0 : 1.6));
    drawKind(p, index);
    return pix;
}

QPixmap AlertBullet(int size)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return pix;
}

} // namespace ImageDrawing
