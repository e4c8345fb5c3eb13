#include <QImage>
#include <QPainter>
#include <QtTest>

#include <memory>

#include "report/BandLayout.h"
#include "report/PageSource.h"

using namespace convertor;

// A report row as painted: each cell's borders in their own colour and place, and each text cut
// short to its cell and aligned in it.
class BandRowsTest : public QObject {
    Q_OBJECT

private slots:
    void bordersKeepTheirCellsAndColours_data();
    void bordersKeepTheirCellsAndColours();
    void textsStayInTheirCells_data();
    void textsStayInTheirCells();

private:
    static BandLayout::Cell cell(const QRectF& rect, const QColor& border,
                                 Qt::Alignment align = Qt::AlignLeft);
};

BandLayout::Cell BandRowsTest::cell(const QRectF& rect, const QColor& border, Qt::Alignment align) {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = qRound(PageSource::kLayoutDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    BandLayout::Cell made;
    made.rect = rect;
    made.text = rect.adjusted(6, 3, -6, -3);
    made.baseline = rect.bottom() - 6;
    made.font = PageSource::reportFont();
    made.font.setPixelSize(13);
    made.metrics = std::make_shared<const QFontMetricsF>(made.font, &device);
    made.color = Qt::black;
    made.align = align;
    for (int side = 0; side < 4; ++side) {
        made.border[side] = 1;
        made.borderBrush[side] = border;
    }
    return made;
}

void BandRowsTest::bordersKeepTheirCellsAndColours_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QColor>("colour");
    // Red cells at 0-50 and 100-150, a blue one at 50-100 between them; nothing from 150 on.
    QTest::newRow("first cell's left") << QPoint(0, 10) << QColor(Qt::red);
    QTest::newRow("first cell's right") << QPoint(49, 10) << QColor(Qt::red);
    QTest::newRow("blue cell's left") << QPoint(50, 10) << QColor(Qt::blue);
    QTest::newRow("blue cell's top") << QPoint(75, 0) << QColor(Qt::blue);
    QTest::newRow("blue cell's bottom") << QPoint(75, 19) << QColor(Qt::blue);
    QTest::newRow("blue cell's right") << QPoint(99, 10) << QColor(Qt::blue);
    QTest::newRow("last cell's left") << QPoint(100, 10) << QColor(Qt::red);
    QTest::newRow("last cell's bottom") << QPoint(125, 19) << QColor(Qt::red);
    QTest::newRow("inside a cell") << QPoint(25, 10) << QColor(Qt::white);
    QTest::newRow("inside the blue cell") << QPoint(75, 10) << QColor(Qt::white);
    QTest::newRow("past the row") << QPoint(170, 0) << QColor(Qt::white);
}

void BandRowsTest::bordersKeepTheirCellsAndColours() {
    QFETCH(QPoint, at);
    QFETCH(QColor, colour);
    BandLayout::Row row;
    row.height = 20;
    row.cells = {cell({0, 0, 50, 20}, Qt::red), cell({50, 0, 50, 20}, Qt::blue),
                 cell({100, 0, 50, 20}, Qt::red)};
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        BandLayout::paintRow(painter, row, 0, {});
    }
    QCOMPARE(image.pixelColor(at), colour);
}

void BandRowsTest::textsStayInTheirCells_data() {
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("expected");  // "start", "end", "middle", "inside" or "cut"
    const QString name = QString::fromUtf8("บริษัท ก้าวหน้าการช่าง จำกัด (มหาชน) สำนักงานใหญ่");
    QTest::newRow("left") << int(Qt::AlignLeft) << QStringLiteral("ACC0000001")
                          << QStringLiteral("ACC0000001") << QStringLiteral("start");
    QTest::newRow("right") << int(Qt::AlignRight) << QStringLiteral("12,345.50")
                           << QStringLiteral("12,345.50") << QStringLiteral("end");
    QTest::newRow("centred") << int(Qt::AlignHCenter) << QStringLiteral("DCP") << QStringLiteral("DCP")
                             << QStringLiteral("middle");
    QTest::newRow("long name's start")
        << int(Qt::AlignLeft) << name << QString::fromUtf8("บริษัท") << QStringLiteral("inside");
    QTest::newRow("long name's cut end")
        << int(Qt::AlignLeft) << name << QString::fromUtf8("ใหญ่") << QStringLiteral("cut");
    QTest::newRow("long right-aligned")
        << int(Qt::AlignRight) << name << QString::fromUtf8("บริษัท") << QStringLiteral("inside");
}

void BandRowsTest::textsStayInTheirCells() {
    QFETCH(int, align);
    QFETCH(QString, text);
    QFETCH(QString, part);
    QFETCH(QString, expected);
    const BandLayout::Cell made = cell({20, 0, 140, 24}, Qt::gray, Qt::Alignment(align));
    const QRectF at = BandLayout::textRect(made, text, part);
    const QRectF room = made.text;
    if (expected == QStringLiteral("cut")) {
        QCOMPARE(at, room);  // not shown: the whole cell is its place
        return;
    }
    QVERIFY(at.width() > 0 && at.width() < room.width());
    QVERIFY2(at.left() >= room.left() - 0.01 && at.right() <= room.right() + 0.5,
             qPrintable(QStringLiteral("%1-%2 outside %3-%4")
                            .arg(at.left())
                            .arg(at.right())
                            .arg(room.left())
                            .arg(room.right())));
    if (expected == QStringLiteral("start")) {
        QCOMPARE(at.left(), room.left());
    } else if (expected == QStringLiteral("end")) {
        QVERIFY(qAbs(at.right() - room.right()) < 0.5);
    } else if (expected == QStringLiteral("middle")) {
        QVERIFY(qAbs(at.center().x() - room.center().x()) < 0.5);
    }
}

QTEST_MAIN(BandRowsTest)
#include "BandRowsTest.moc"
