#include <gtest/gtest.h>
#include <zip.h>
#include <zlib.h>

#include <random>

#include "bankfile/FileDigest.h"
#include "bankfile/RecordTemplate.h"
#include "output/BankFileWriter.h"
#include "output/DeflatePiece.h"
#include "output/PackOutput.h"
#include "support/TestSupport.h"
#include "text/Padding.h"

namespace fs = std::filesystem;

namespace convertor::test {
namespace {

std::string inflateRaw(const std::vector<unsigned char>& packed, std::size_t size) {
    std::string out(size, '\0');
    z_stream stream{};
    EXPECT_EQ(inflateInit2(&stream, -15), Z_OK);
    stream.next_in = const_cast<unsigned char*>(packed.data());
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<unsigned char*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END) << "the joined pieces end the stream";
    EXPECT_EQ(stream.total_out, size);
    inflateEnd(&stream);
    return out;
}

// Pieces packed apart and joined are one Deflate stream of the joined bytes, with the CRC-32
// of the whole: text, incompressible bytes, empty and one-byte pieces.
TEST(DeflatePiece, JoinedPiecesInflateToTheWhole) {
    std::mt19937 random(7);
    std::string noise(300'000, '\0');
    for (char& byte : noise) {
        byte = static_cast<char>(random());
    }
    std::string text;
    for (int i = 0; i < 40'000; ++i) {
        text += "003000" + std::to_string(i) + "    PAYEE NAME " + std::to_string(i % 97) + "\r\n";
    }
    std::vector<std::vector<std::string>> cases = {
        {text}, {noise}, {"", "x", ""}, {text.substr(0, 1000), noise, text, "y"}};
    for (const auto& pieces : cases) {
        std::vector<unsigned char> packed;
        std::string whole;
        std::uint32_t crc = 0;
        for (const std::string& piece : pieces) {
            deflatePiece(piece, false, packed);
            crc = whole.empty() ? crc32Of(piece) : crc32Join(crc, crc32Of(piece), piece.size());
            whole += piece;
        }
        deflatePiece({}, true, packed);
        EXPECT_EQ(inflateRaw(packed, whole.size()), whole);
        EXPECT_EQ(crc,
                  crc32(0, reinterpret_cast<const Bytef*>(whole.data()), static_cast<uInt>(whole.size())));
    }
}

std::string record003(long sequence) {
    RecordTemplate<3> r;
    r.set(Record003::CreditSequence, padLeftZeros(std::to_string(sequence), 6));
    r.fill(Record003::CreditAccount, "1234567896");
    r.set(Record003::CreditAmount, "0000000000001000");
    r.set(Record003::BatchReference, "00000001");
    r.set(Record003::ReceivingBankCode, "014");
    r.set(Record003::ReceivingBranchCode, "0123");
    return r.line();
}

std::string record002(long count) {
    RecordTemplate<2> r;
    r.set(Record002::ProductCode, "DCP");
    r.set(Record002::ValueDate, "20250305");
    r.fill(Record002::DebitAccount, "1234567896");
    r.set(Record002::DebitAccountDigit, "04");
    r.set(Record002::DebitBranchCode, "0123");
    r.set(Record002::TotalAmount, padLeftZeros(std::to_string(count * 1000), 16));
    r.set(Record002::CreditCount, padLeftZeros(std::to_string(count), 6));
    r.fill(Record002::FeeAccount, "1234567896");
    r.set(Record002::FeeAccountDigit, "04");
    r.set(Record002::FeeBranchCode, "0123");
    return r.line();
}

const std::string kRecord001 =
    "001C0001       20250305" + std::string(24, ' ') + "20250305000000BCM20250305" + std::string(24, ' ');

// A bank file of many pieces, written, read back and packed: the bytes, the digest, the check of
// every record (also those cut by a piece's end) and the archive entry all agree.
class BankFileWriterTest : public ::testing::Test {
protected:
    struct Written {
        BankFileWriter::Finished finished;
        std::string body;  // record 001 to the trailer
    };
    BankFileWriter open() {
        writeFile(dir / "bank", "");
        writeFile(dir / "pack", "");
        return BankFileWriter({dir / "bank", dir / "pack", "bank.txt", "archive.zip"}, kRecord001,
                              Product::DirectCredit);
    }
    Written write(long credits, long badLine = 0) {
        BankFileWriter writer = open();
        std::string body;
        for (long i = 1; i <= credits; ++i) {
            std::string record = record003(i);
            if (i + 3 == badLine) {
                record[Record003::ReceivingBankCode.start - 1] = 'X';
            }
            writer.append(record);
            body += record + "\r\n";
        }
        std::string trailer = "999000001" + padLeftZeros(std::to_string(credits), 6) +
                              padLeftZeros(std::to_string(credits * 1000), 16);
        writer.append(trailer);
        body = kRecord001 + "\r\n" + record002(credits) + "\r\n" + body + trailer + "\r\n";
        return {writer.finish(record002(credits)), body};
    }
    TempDir dir;
};

TEST_F(BankFileWriterTest, ManyPiecesMakeOneFileDigestAndArchive) {
    Written written = write(40'000);  // 14 MB: four pieces, fourteen blocks
    const auto& [finished, body] = written;
    EXPECT_TRUE(finished.problems.empty()) << ::testing::PrintToString(finished.problems);
    Sha1 sha1;
    sha1.update(body);
    EXPECT_EQ(finished.digest, digestText(sha1.finish()));
    EXPECT_EQ(readFile(dir / "bank"), finished.digest + "\r\n" + body);

    packOutput(finished.packed, "bank.txt", dir / "bank.zip", dir / "bank.zip");
    int error = 0;
    zip_t* zip = zip_open((dir / "bank.zip").c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    ASSERT_NE(zip, nullptr) << error;
    zip_stat_t stat;
    ASSERT_EQ(zip_stat_index(zip, 0, 0, &stat), 0);
    EXPECT_STREQ(stat.name, "bank.txt");
    EXPECT_EQ(stat.comp_method, ZIP_CM_DEFLATE);
    EXPECT_LT(stat.comp_size, stat.size / 4);
    std::string unpacked(stat.size, '\0');
    zip_file_t* entry = zip_fopen_index(zip, 0, 0);
    ASSERT_EQ(zip_fread(entry, unpacked.data(), stat.size), static_cast<zip_int64_t>(stat.size));
    EXPECT_EQ(zip_fclose(entry), 0) << "CRC-32 of the entry";
    zip_close(zip);
    EXPECT_EQ(unpacked, finished.digest + "\r\n" + body);
}

TEST_F(BankFileWriterTest, RecordsCutByAPieceEndAreChecked) {
    // The file is read back in blocks of 1 MiB; lines are 357 bytes after a head of 251.
    auto cutAt = [](long blockEnd) { return 3 + (blockEnd - 251) / 357 + 1; };
    for (long line : {4L, cutAt(1L << 20), cutAt(9L << 20), 40'003L}) {
        auto problems = write(40'000, line).finished.problems;
        ASSERT_EQ(problems.size(), 1u) << ::testing::PrintToString(problems);
        EXPECT_EQ(problems[0].rfind("line " + std::to_string(line) + ": record 003 field ", 0), 0u)
            << problems[0];
    }
}

TEST_F(BankFileWriterTest, ControlBytesGoOutAsBlanks) {
    BankFileWriter writer = open();
    writer.append(std::string("A\nB\rC\x01", 6));
    writer.finish(record002(0));
    EXPECT_NE(readFile(dir / "bank").find("\r\nA B C \r\n"), std::string::npos);
}

}  // namespace
}  // namespace convertor::test
