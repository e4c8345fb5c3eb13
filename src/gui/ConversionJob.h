#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>
#include <string>

#include "GuiOperator.h"
#include "base/Clock.h"
#include "products/ConversionRequest.h"
#include "products/ConversionState.h"

class QThread;

namespace convertor {

class TableStore;

// Runs one conversion at a time on a worker thread, over the state that lives as long as the
// converter window. The window's thread stays free to repaint and move the progress bar; the
// state and the tables are touched only by the run while one is going.
class ConversionJob : public QObject {
    Q_OBJECT

public:
    explicit ConversionJob(std::filesystem::path home, QObject* parent = nullptr);
    ~ConversionJob() override;

    ConversionState& state() { return m_state; }
    GuiOperator& runOperator() { return m_operator; }
    void setClock(std::unique_ptr<Clock> clock) { m_clock = std::move(clock); }
    const std::filesystem::path& home() const { return m_home; }

    // False (and nothing started) while a run is going.
    bool start(ConversionRequest request);
    bool isRunning() const { return m_thread != nullptr; }

signals:
    // error is the message of the error that ended the run, empty when none did.
    void finished(const QString& error);

private:
    void run(const ConversionRequest& request);

    std::filesystem::path m_home;
    ConversionState m_state;
    GuiOperator m_operator;
    std::unique_ptr<Clock> m_clock;
    std::unique_ptr<TableStore> m_tables;
    QThread* m_thread = nullptr;
    std::string m_error;
};

}  // namespace convertor
