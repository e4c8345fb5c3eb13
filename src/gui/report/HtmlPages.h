#pragma once

#include <QImage>
#include <QString>

#include <memory>

#include "report/PageSource.h"

class QTextDocument;

namespace convertor {

// Pages of an HTML document laid out whole: a report saved as HTML and opened again, or one whose
// template does not read as bands. Fine for the result report and files of a few pages; a long one
// takes as long to lay out as it is long.
class HtmlPages : public PageSource {
public:
    explicit HtmlPages(const QString& html);
    ~HtmlPages() override;

    const QString& html() const { return *m_html; }
    int pageCount() const override;
    QString title() const override;
    std::unique_ptr<PageSource> clone() const override;
    Match find(const QString& text, const Match& after, const std::atomic_bool& cancel) override;

protected:
    void paintBody(QPainter& painter, int page) override;

private:
    explicit HtmlPages(std::shared_ptr<const QString> html);

    std::shared_ptr<const QString> m_html;
    QImage m_metrics;  // fixes the layout's resolution, so pages break the same on any screen
    std::unique_ptr<QTextDocument> m_doc;
    double m_bodyHeight;
};

}  // namespace convertor
