#include "convert/Session.h"

#include "convert/DataDirectory.h"

namespace convertor {

namespace {

const SystemClock kSystemClock;

}  // namespace

Session::Session(std::filesystem::path home)
    : settings(loadReformatSettings(settingsFile(home))),
      m_home(std::move(home)),
      m_tables(databaseFile(m_home)),
      m_clock(&kSystemClock) {}

}  // namespace convertor
