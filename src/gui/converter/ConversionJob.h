#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>

#include "converter/GuiOperator.h"
#include "base/Clock.h"
#include "convert/Session.h"
#include "products/ConversionRequest.h"

class QThread;

namespace convertor {

// Runs one conversion at a time on a worker thread, in the session that lives as long as the
// converter window. The window's thread stays free to repaint and move the progress bar; the
// session and its tables are touched only by the run while one is going.
class ConversionJob : public QObject {
    Q_OBJECT

public:
    explicit ConversionJob(std::filesystem::path home, QObject* parent = nullptr);
    ~ConversionJob() override;

    Session& session() { return m_session; }
    GuiOperator& runOperator() { return m_operator; }
    void setClock(std::unique_ptr<Clock> clock);
    const std::filesystem::path& home() const { return m_session.home(); }

    // False (and nothing started) while a run is going.
    bool start(ConversionRequest request);
    bool isRunning() const { return m_thread != nullptr; }

signals:
    // error is the message of the error that ended the run, empty when none did.
    void finished(const QString& error);

private:
    void run(const ConversionRequest& request);

    Session m_session;
    GuiOperator m_operator;
    std::unique_ptr<Clock> m_clock;
    QThread* m_thread = nullptr;
    std::string m_error;
};

}  // namespace convertor
