// convertor-seed DBFILE SQLFILE...: makes the delivered database from the schema and the seed scripts.
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Transaction.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "refdata/TableStore.h"

namespace {

std::string readScript(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + file.string());
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void seed(const std::filesystem::path& database, int scriptCount, char** scripts) {
    convertor::TableStore::createSchema(database);
    SQLite::Database db(database.string(), SQLite::OPEN_READWRITE);
    SQLite::Transaction transaction(db);
    for (int i = 0; i < scriptCount; ++i) {
        std::filesystem::path script = scripts[i];
        try {
            db.exec(readScript(script));
        } catch (const std::exception& error) {
            throw std::runtime_error(script.string() + ": " + error.what());
        }
    }
    transaction.commit();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: convertor-seed DBFILE SQLFILE...\n";
        return 2;
    }
    std::filesystem::path database = argv[1];
    const bool existed = std::filesystem::exists(database);
    try {
        seed(database, argc - 2, argv + 2);
    } catch (const std::exception& error) {
        std::cerr << "convertor-seed: " << error.what() << '\n';
        // A half-made database must not pass for the delivered one; someone else's file stays.
        if (!existed) {
            std::error_code ignored;
            std::filesystem::remove(database, ignored);
        }
        return 1;
    }
    return 0;
}
