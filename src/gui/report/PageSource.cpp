#include "report/PageSource.h"

#include <QDir>
#include <QPageSize>
#include <QPainter>

#include "report/BandedPages.h"
#include "report/HtmlPages.h"
#include "reports/ReportCopy.h"
#include "reports/ReportEngine.h"

namespace convertor {

ReportValue PageSource::withCopy(const ReportValue& report) {
    return report.copy ? report : ReportCopy::make(report, QDir::tempPath().toStdString())->report();
}

std::unique_ptr<PageSource> PageSource::ofReport(const ReportValue& report, const ReportEngine& engine,
                                                 const QDate& printedOn) {
    const Date date{printedOn.year(), printedOn.month(), printedOn.day()};
    std::unique_ptr<PageSource> pages = BandedPages::make(report, engine.templateText(), date);
    if (!pages) {
        pages = std::make_unique<HtmlPages>(QString::fromStdString(engine.render(report, date)));
    }
    pages->setPrintedDate(printedOn);
    return pages;
}

QPageLayout PageSource::pageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(14, 12, 14, 12),
                       QPageLayout::Millimeter);
}

QSizeF PageSource::printableSize() {
    const QRectF area = pageLayout().paintRect(QPageLayout::Inch);
    return area.size() * kLayoutDpi;
}

QRectF PageSource::bodyRect() {
    const QSizeF area = printableSize();
    return QRectF(0, kHeaderHeight, area.width(), area.height() - kHeaderHeight - kFooterHeight);
}

QFont PageSource::reportFont() {
    QFont font;
    font.setFamilies({"Garuda", "Loma", "Norasi", "DejaVu Sans"});
    return font;
}

void PageSource::paint(QPainter& painter, int page) {
    const QRectF body = bodyRect();
    painter.save();
    QFont font = PageSource::reportFont();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    const QRectF header(0, 0, body.width(), kHeaderHeight - 8);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, title());
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Printed %1").arg(m_printed.toString(QStringLiteral("dd/MM/yyyy"))));
    painter.drawLine(QPointF(0, kHeaderHeight - 5), QPointF(body.width(), kHeaderHeight - 5));
    painter.drawLine(QPointF(0, body.bottom() + 5), QPointF(body.width(), body.bottom() + 5));
    painter.drawText(QRectF(0, body.bottom() + 8, body.width(), kFooterHeight - 8),
                     Qt::AlignHCenter | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(page + 1).arg(pageCount()));
    painter.restore();

    painter.save();
    painter.translate(body.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), body.size()), Qt::IntersectClip);
    paintBody(painter, page);
    painter.restore();
}

}  // namespace convertor
