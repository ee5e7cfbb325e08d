#include "window/title_art.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace window {

namespace {

void DrawQuill(QPainter& p, const QRectF& box, const QColor& ink) {
    QPainterPath feather;
    feather.moveTo(box.left() + box.width() * 0.15, box.bottom() - box.height() * 0.1);
    feather.cubicTo(box.left() + box.width() * 0.3, box.top() + box.height() * 0.4,
                    box.left() + box.width() * 0.6, box.top() + box.height() * 0.1, box.right(), box.top());
    feather.cubicTo(box.right() - box.width() * 0.1, box.top() + box.height() * 0.45,
                    box.left() + box.width() * 0.5, box.top() + box.height() * 0.7,
                    box.left() + box.width() * 0.15, box.bottom() - box.height() * 0.1);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(feather);
}

}  // namespace

QPixmap TitleArt(qreal devicePixelRatio) {
    const QSize size(220, 40);
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = QGuiApplication::palette();
    DrawQuill(p, QRectF(4, 4, 32, 32), palette.color(QPalette::Highlight));
    QFont font = QGuiApplication::font();
    font.setPixelSize(24);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(palette.color(QPalette::WindowText));
    p.drawText(QRectF(42, 0, size.width() - 42, size.height()), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Quillmark"));
    return pixmap;
}

QIcon CloseAllIcon() {
    QIcon icon;
    const QColor ink = QGuiApplication::palette().color(QPalette::ButtonText);
    for (int side : {16, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal u = side / 16.0;
        p.setPen(QPen(ink, 1.2 * u));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(4.5 * u, 1.5 * u, 10 * u, 8 * u));
        p.setBrush(QGuiApplication::palette().color(QPalette::Button));
        p.drawRect(QRectF(1.5 * u, 4.5 * u, 10 * u, 8 * u));
        p.setPen(QPen(ink, 1.8 * u, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.5 * u, 7 * u), QPointF(8.5 * u, 11 * u));
        p.drawLine(QPointF(8.5 * u, 7 * u), QPointF(4.5 * u, 11 * u));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon QuillmarkIcon() {
    QIcon icon;
    for (int side : {16, 32, 64}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor(0x2b, 0x57, 0x9a));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(0, 0, side, side), side * 0.2, side * 0.2);
        DrawQuill(p, QRectF(side * 0.15, side * 0.15, side * 0.7, side * 0.7), Qt::white);
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace window
