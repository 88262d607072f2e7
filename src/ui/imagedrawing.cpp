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

void drawImage(QPainter &p, Image image)
{
    switch (image) {
    case Image::Folder:
        folder(p, false, QColor(240, 200, 80));
        break;
    case Image::OpenFolder:
        folder(p, true, QColor(240, 200, 80));
        break;
    case Image::RemoteFolder:
    case Image::OpenRemoteFolder:
        folder(p, image == Image::OpenRemoteFolder, QColor(150, 180, 210));
        globe(p, QRectF(18, 17, 12, 12));
        break;
    case Image::Organization:
        p.setBrush(QColor(170, 170, 185));
        p.drawRect(QRectF(6, 4, 20, 25));
        p.setBrush(QColor(250, 240, 160));
        for (int y = 7; y < 24; y += 6)
            for (int x = 9; x < 24; x += 6)
                p.drawRect(QRectF(x, y, 3, 3));
        p.setBrush(QColor(110, 80, 60));
        p.drawRect(QRectF(14, 23, 4, 6));
        break;
    case Image::Team:
        person(p, QPointF(11, 5), 0.9, QColor(90, 160, 90));
        person(p, QPointF(21, 7), 0.9, QColor(70, 120, 200));
        break;
    case Image::Person:
        person(p, QPointF(16, 3), 1.2, QColor(70, 120, 200));
        break;
    case Image::Website:
        globe(p, QRectF(4, 4, 24, 24));
        break;
    case Image::Address: {
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
    case Image::Phone: {
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
    case Image::EMail:
        p.setBrush(QColor(250, 250, 240));
        p.drawRect(QRectF(3, 8, 26, 17));
        p.drawLine(QPointF(3, 8), QPointF(16, 18));
        p.drawLine(QPointF(29, 8), QPointF(16, 18));
        break;
    case Image::Fax:
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(9, 3, 14, 12));
        p.setBrush(QColor(150, 150, 160));
        p.drawRoundedRect(QRectF(4, 13, 24, 15), 2, 2);
        p.setBrush(QColor(60, 200, 60));
        p.drawEllipse(QRectF(22, 16, 3, 3));
        break;
    case Image::Reminder:
        p.setBrush(QColor(255, 250, 230));
        p.drawEllipse(QRectF(4, 4, 24, 24));
        p.drawLine(QPointF(16, 16), QPointF(16, 8));
        p.drawLine(QPointF(16, 16), QPointF(22, 19));
        break;
    case Image::Document:
        page(p, QColor(255, 255, 255));
        break;
    default: // the root and the due reminder: the address book
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

// A box with an arrow going into it (import) or out of it (publish).
void transfer(QPainter &p, bool in)
{
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(4, 16, 24, 12));
    QPainterPath arrow;
    const qreal tip = in ? 22 : 3, tail = in ? 3 : 16;
    arrow.moveTo(16, tip);
    arrow.lineTo(9, (tip + tail) / 2);
    arrow.lineTo(13, (tip + tail) / 2);
    arrow.lineTo(13, tail);
    arrow.lineTo(19, tail);
    arrow.lineTo(19, (tip + tail) / 2);
    arrow.lineTo(23, (tip + tail) / 2);
    arrow.closeSubpath();
    p.setBrush(in ? QColor(60, 160, 60) : QColor(70, 120, 200));
    p.drawPath(arrow);
}

void printer(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 20, 14, 9));
}

// Light for ANY, dark for ALL.
void funnel(QPainter &p, bool any)
{
    QPainterPath path;
    path.moveTo(3, 5);
    path.lineTo(29, 5);
    path.lineTo(19, 17);
    path.lineTo(19, 28);
    path.lineTo(13, 24);
    path.lineTo(13, 17);
    path.closeSubpath();
    p.setBrush(any ? QColor(120, 190, 240) : QColor(70, 110, 200));
    p.drawPath(path);
}

void clipboardCommand(QPainter &p, ImageDrawing::Command command)
{
    using ImageDrawing::Command;
    if (command == Command::Cut) {
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QRectF(5, 20, 8, 8));
        p.drawEllipse(QRectF(19, 20, 8, 8));
        p.drawLine(QPointF(11, 21), QPointF(22, 3));
        p.drawLine(QPointF(21, 21), QPointF(10, 3));
    } else if (command == Command::Copy) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 3, 15, 19));
        p.drawRect(QRectF(13, 10, 15, 19));
    } else {
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(5, 5, 20, 24), 2, 2);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(QRectF(11, 3, 8, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(14, 12, 14, 17));
    }
}

void browserUrl(QPainter &p)
{
    globe(p, QRectF(3, 3, 22, 22));
    p.setBrush(QColor(60, 160, 60));
    p.drawEllipse(QRectF(18, 18, 12, 12));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(24, 20), QPointF(24, 28));
    p.drawLine(QPointF(20, 24), QPointF(28, 24));
}

void viewFormat(QPainter &p, ImageDrawing::Command command)
{
    using ImageDrawing::Command;
    p.setBrush(QColor(70, 120, 200));
    if (command == Command::LargeIcons) {
        for (int y : {4, 18})
            for (int x : {4, 18})
                p.drawRect(QRectF(x, y, 10, 10));
    } else if (command == Command::Details) {
        for (int row = 0; row < 4; ++row) {
            const qreal y = 4 + row * 7;
            p.drawRect(QRectF(3, y, 4, 4));
            p.drawLine(QPointF(10, y + 2), QPointF(17, y + 2));
            p.drawLine(QPointF(20, y + 2), QPointF(29, y + 2));
        }
    } else {
        // Small icons run across the rows, the list runs down the columns.
        const bool across = command == Command::SmallIcons;
        for (int i = 0; i < 6; ++i) {
            const int col = across ? i % 2 : i / 3;
            const int row = across ? i / 2 : i % 3;
            const qreal x = 3 + col * 15, y = 4 + row * 9;
            p.drawRect(QRectF(x, y, 5, 5));
            p.drawLine(QPointF(x + 7, y + 2.5), QPointF(x + 13, y + 2.5));
        }
    }
}

void wrench(QPainter &p)
{
    p.setBrush(QColor(150, 150, 160));
    QPainterPath path;
    path.addEllipse(QRectF(3, 3, 12, 12));
    path.moveTo(12, 10);
    path.lineTo(27, 25);
    path.lineTo(24, 28);
    path.lineTo(9, 13);
    path.closeSubpath();
    p.drawPath(path.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 5, 5));
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
    drawImage(p, static_cast<Image>(index));
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

QPixmap CommandImage(Command command, int size)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(Outline, 1.6));
    switch (command) {
    case Command::Import:
    case Command::Publish:
        transfer(p, command == Command::Import);
        break;
    case Command::Print:
        printer(p);
        break;
    case Command::FilterAny:
    case Command::FilterAll:
        funnel(p, command == Command::FilterAny);
        break;
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
        clipboardCommand(p, command);
        break;
    case Command::BrowserUrl:
        browserUrl(p);
        break;
    case Command::LargeIcons:
    case Command::SmallIcons:
    case Command::List:
    case Command::Details:
        viewFormat(p, command);
        break;
    case Command::Tools:
        wrench(p);
        break;
    }
    return pix;
}

} // namespace ImageDrawing
