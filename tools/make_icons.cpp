// Draws the window's icons (command buttons, connection lamps, application
// images) and writes them as PNG files into the directory given on the
// command line:  make-icons <directory>
//
// The PNGs it produces are the ones compiled into the program; rerun it after
// changing a drawing.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <cstdio>
#include <functional>

namespace {

const QColor kInk(255, 255, 255);
const QColor kShadow(0, 0, 0, 90);

QImage blankImage(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// A solid arrow pointing down (angle 0) with its tip at the origin; callers
// rotate and translate it into place.
QPainterPath downArrow(qreal shaftWidth, qreal shaftLength, qreal headWidth, qreal headLength)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.lineTo(-headWidth / 2, -headLength);
    path.lineTo(-shaftWidth / 2, -headLength);
    path.lineTo(-shaftWidth / 2, -headLength - shaftLength);
    path.lineTo(shaftWidth / 2, -headLength - shaftLength);
    path.lineTo(shaftWidth / 2, -headLength);
    path.lineTo(headWidth / 2, -headLength);
    path.closeSubpath();
    return path;
}

// An open tray at the bottom of the image: what data goes into or comes out of.
void drawTray(QPainter &p, const QColor &colour)
{
    QPainterPath tray;
    tray.moveTo(36, 150);
    tray.lineTo(36, 214);
    tray.quadTo(36, 226, 48, 226);
    tray.lineTo(208, 226);
    tray.quadTo(220, 226, 220, 214);
    tray.lineTo(220, 150);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 20, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tray);
}

void fillWithGradient(QPainter &p, const QPainterPath &path, const QColor &top, const QColor &bottom)
{
    const QRectF box = path.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    p.setPen(QPen(kShadow, 3));
    p.setBrush(gradient);
    p.drawPath(path);
}

void drawReceive(QPainter &p)
{
    drawTray(p, QColor(90, 200, 255));
    QTransform at;
    at.translate(128, 196);
    fillWithGradient(p, at.map(downArrow(44, 92, 112, 72)), QColor(120, 255, 160), QColor(20, 170, 80));
}

void drawSend(QPainter &p)
{
    drawTray(p, QColor(90, 200, 255));
    QTransform at;
    at.translate(128, 20);
    at.rotate(180);
    fillWithGradient(p, at.map(downArrow(44, 92, 112, 72)), QColor(255, 200, 90), QColor(240, 110, 20));
}

void drawOpen(QPainter &p)
{
    QPainterPath back;
    back.moveTo(24, 64);
    back.lineTo(24, 212);
    back.lineTo(212, 212);
    back.lineTo(212, 86);
    back.lineTo(120, 86);
    back.lineTo(100, 60);
    back.lineTo(30, 60);
    back.closeSubpath();
    fillWithGradient(p, back, QColor(230, 170, 40), QColor(190, 120, 20));

    // A sheet sticking out of the folder.
    p.setPen(QPen(kShadow, 2));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(QRectF(56, 72, 130, 90));

    QPainterPath front;
    front.moveTo(24, 212);
    front.lineTo(62, 112);
    front.lineTo(240, 112);
    front.lineTo(212, 212);
    front.closeSubpath();
    fillWithGradient(p, front, QColor(255, 220, 100), QColor(240, 170, 40));
}

void drawSave(QPainter &p)
{
    QPainterPath body;
    body.moveTo(32, 40);
    body.lineTo(196, 40);
    body.lineTo(224, 68);
    body.lineTo(224, 216);
    body.lineTo(32, 216);
    body.closeSubpath();
    fillWithGradient(p, body, QColor(80, 140, 230), QColor(30, 70, 160));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 230, 240));
    p.drawRect(QRectF(70, 40, 112, 62));      // shutter
    p.setBrush(QColor(30, 70, 160));
    p.drawRect(QRectF(146, 50, 22, 42));      // shutter window
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(60, 130, 136, 86), 6, 6); // label
    p.setPen(QPen(QColor(170, 180, 200), 5, Qt::SolidLine, Qt::RoundCap));
    for (int y = 154; y <= 194; y += 20)
        p.drawLine(QPointF(78, y), QPointF(178, y));
}

void drawReset(QPainter &p)
{
    // The circle.
    QRadialGradient disc(QPointF(110, 100), 150);
    disc.setColorAt(0, QColor(255, 120, 110));
    disc.setColorAt(1, QColor(200, 30, 30));
    p.setPen(QPen(QColor(255, 255, 255, 230), 10));
    p.setBrush(disc);
    p.drawEllipse(QPointF(128, 128), 112, 112);

    // The back arrow: a shaft bent back on itself, head pointing left.
    QPainterPath shaft;
    shaft.moveTo(104, 100);
    shaft.lineTo(146, 100);
    shaft.cubicTo(196, 100, 196, 180, 146, 180);
    shaft.lineTo(96, 180);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 24, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.drawPath(shaft);

    QPainterPath head;
    head.moveTo(56, 100);
    head.lineTo(108, 60);
    head.lineTo(108, 140);
    head.closeSubpath();
    p.setPen(QPen(kInk, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kInk);
    p.drawPath(head);
}

// A glossy ball: a radial body lit from the upper left with a soft highlight.
void drawBall(QPainter &p, const QColor &light, const QColor &dark, int side)
{
    const qreal r = side / 2.0 - 4;
    const QPointF centre(side / 2.0, side / 2.0);

    QRadialGradient body(centre.x() - r / 3, centre.y() - r / 3, r * 1.5);
    body.setColorAt(0, light);
    body.setColorAt(0.6, dark);
    body.setColorAt(1, dark.darker(180));
    p.setPen(Qt::NoPen);
    p.setBrush(body);
    p.drawEllipse(centre, r, r);

    const QRectF shine(centre.x() - r * 0.6, centre.y() - r * 0.88, r * 1.2, r * 0.8);
    QLinearGradient gloss(shine.topLeft(), shine.bottomLeft());
    gloss.setColorAt(0, QColor(255, 255, 255, 200));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawEllipse(shine);
}

void drawRedBall(QPainter &p) { drawBall(p, QColor(255, 130, 120), QColor(210, 20, 20), 200); }
void drawGreenBall(QPainter &p) { drawBall(p, QColor(160, 255, 150), QColor(20, 170, 40), 200); }

// The application image: a transmitter with two sticks and an antenna.
void drawApp(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 60), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(188, 92), QPointF(222, 16));

    QPainterPath body;
    body.addRoundedRect(QRectF(20, 84, 216, 150), 36, 36);
    fillWithGradient(p, body, QColor(100, 100, 110), QColor(40, 40, 48));

    p.setPen(QPen(QColor(20, 20, 20), 4));
    for (const qreal x : {78.0, 178.0}) {
        p.setBrush(QColor(200, 200, 210));
        p.drawEllipse(QPointF(x, 170), 34, 34);
        p.setBrush(QColor(230, 60, 40));
        p.drawEllipse(QPointF(x, 170), 12, 12);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 220, 255));
    p.drawRoundedRect(QRectF(96, 102, 64, 30), 4, 4);
}

// The about image: an information sign.
void drawAbout(QPainter &p)
{
    QRadialGradient disc(QPointF(100, 90), 170);
    disc.setColorAt(0, QColor(110, 190, 255));
    disc.setColorAt(1, QColor(20, 90, 200));
    p.setPen(QPen(QColor(255, 255, 255, 220), 8));
    p.setBrush(disc);
    p.drawEllipse(QPointF(128, 128), 116, 116);

    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(QPointF(128, 70), 18, 18);
    p.drawRoundedRect(QRectF(110, 104, 36, 104), 8, 8);
}

struct IconSpec
{
    const char *fileName;
    int side;
    std::function<void(QPainter &)> draw;
};

const IconSpec kIcons[] = {
    {"Receive.png", 256, drawReceive},
    {"open.png", 256, drawOpen},
    {"Send.png", 256, drawSend},
    {"save.png", 256, drawSave},
    {"Reset.png", 256, drawReset},
    {"red.png", 200, drawRedBall},
    {"green.png", 200, drawGreenBall},
    {"app.png", 256, drawApp},
    {"about.png", 256, drawAbout},
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    int failures = 0;
    for (const IconSpec &icon : kIcons) {
        QImage image = blankImage(icon.side);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            icon.draw(painter);
        }
        const QString path = out.filePath(QString::fromLatin1(icon.fileName));
        if (!image.convertToFormat(QImage::Format_ARGB32).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
