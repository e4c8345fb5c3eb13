#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/Product.h"

namespace convertor {

// Z: digits, zero-filled on the left; Signed: the same with "-" allowed in the first column;
// S: text, blank-filled on the right; D: a yyyymmdd date, blank by default; L: a fixed literal.
// The kind says what the bank expects, not what a source line may carry.
enum class FieldKind { Literal, Digits, Signed, Text, Date };

// The products whose converter copies a field from the source line as it stands. What such a
// product writes there is only ours to promise in width; a product that computes the field is
// held to its kind.
enum CopiedBy : unsigned char {
    kComputed = 0,
    kCopiedByDirectCredit = 1,  // and Payroll
    kCopiedByMediaClearing = 2,
    kCopiedByManagerCheque = 4,
};

// One field of one record of the bank file. Columns are 1-based and count within the line.
struct FieldSpec {
    int record;  // 1 to 6, or 999 for the trailer line
    int number;  // 1-based position within the record; field 1 is the record type
    int start;
    int width;
    FieldKind kind;
    std::string_view value = {};  // the default when it is not all blanks or all zeros
    unsigned char copiedBy = kComputed;

    int last() const { return start + width - 1; }
    // Exactly `width` characters.
    std::string defaultText() const;
};

// A field of record `Type` only, so that no converter can set a field of another record.
template <int Type>
struct RecordField : FieldSpec {
    constexpr RecordField(int number, int start, int width, FieldKind kind, std::string_view value = {})
        : FieldSpec{Type, number, start, width, kind, value} {}
    constexpr RecordField(int number, int start, int width, FieldKind kind, CopiedBy copiedBy)
        : FieldSpec{Type, number, start, width, kind, {}, copiedBy} {}
};

// The digest line on top: 40 upper-case hexadecimal digits, CR LF.
namespace DigestLine {
inline constexpr int kWidth = 40;
}

namespace Record001 {
inline constexpr RecordField<1> RecordType{1, 1, 3, FieldKind::Literal, "001"};
inline constexpr RecordField<1> CompanyId{2, 4, 12, FieldKind::Text};
inline constexpr RecordField<1> FileDate{3, 16, 8, FieldKind::Date};
inline constexpr RecordField<1> Filler1{4, 24, 24, FieldKind::Text};
inline constexpr RecordField<1> FileDateTime{5, 48, 14, FieldKind::Digits};
inline constexpr RecordField<1> FileCode{6, 62, 3, FieldKind::Literal, "BCM"};
inline constexpr RecordField<1> FileDate2{7, 65, 8, FieldKind::Date};
inline constexpr RecordField<1> Filler2{8, 73, 24, FieldKind::Text};
inline constexpr std::array<FieldSpec, 8> kFields{RecordType,   CompanyId, FileDate,  Filler1,
                                                  FileDateTime, FileCode,  FileDate2, Filler2};
}  // namespace Record001

namespace Record002 {
inline constexpr RecordField<2> RecordType{1, 1, 3, FieldKind::Literal, "002"};
inline constexpr RecordField<2> ProductCode{2, 4, 3, FieldKind::Text};
inline constexpr RecordField<2> ValueDate{3, 7, 8, FieldKind::Date};
inline constexpr RecordField<2> DebitAccount{4, 15, 25, FieldKind::Text};
inline constexpr RecordField<2> DebitAccountDigit{5, 40, 2, FieldKind::Digits};
inline constexpr RecordField<2> DebitBranchCode{6, 42, 4, FieldKind::Digits, kCopiedByMediaClearing};
inline constexpr RecordField<2> Currency{7, 46, 3, FieldKind::Literal, "THB"};
inline constexpr RecordField<2> TotalAmount{8, 49, 16, FieldKind::Digits};
inline constexpr RecordField<2> BatchReference{9, 65, 8, FieldKind::Digits, "00000001"};
inline constexpr RecordField<2> CreditCount{10, 73, 6, FieldKind::Digits};
inline constexpr RecordField<2> FeeAccount{11, 79, 25, FieldKind::Text};
inline constexpr RecordField<2> FeeAccountDigit{12, 104, 2, FieldKind::Digits};
inline constexpr RecordField<2> FeeBranchCode{13, 106, 4, FieldKind::Digits, kCopiedByMediaClearing};
inline constexpr std::array<FieldSpec, 13> kFields{
    RecordType,  ProductCode,    ValueDate,   DebitAccount, DebitAccountDigit, DebitBranchCode, Currency,
    TotalAmount, BatchReference, CreditCount, FeeAccount,   FeeAccountDigit,   FeeBranchCode};
}  // namespace Record002

namespace Record003 {
inline constexpr RecordField<3> RecordType{1, 1, 3, FieldKind::Literal, "003"};
inline constexpr RecordField<3> CreditSequence{2, 4, 6, FieldKind::Digits, "000001"};
inline constexpr RecordField<3> CreditAccount{3, 10, 25, FieldKind::Text};
inline constexpr RecordField<3> CreditAmount{4, 35, 16, FieldKind::Digits};
inline constexpr RecordField<3> Currency{5, 51, 3, FieldKind::Literal, "THB"};
inline constexpr RecordField<3> BatchReference{6, 54, 8, FieldKind::Digits};
inline constexpr RecordField<3> WithholdingTaxFlag{7, 62, 1, FieldKind::Text, "N"};
inline constexpr RecordField<3> InvoiceFlag{8, 63, 1, FieldKind::Text, "N"};
inline constexpr RecordField<3> Flag3{9, 64, 1, FieldKind::Text, "N"};
inline constexpr RecordField<3> ChequeMethod{10, 65, 1, FieldKind::Text};
inline constexpr RecordField<3> ChequeMethodDetail{11, 66, 4, FieldKind::Text};
inline constexpr RecordField<3> TaxForm{12, 70, 2, FieldKind::Digits};
inline constexpr RecordField<3> TaxRunNumber{13, 72, 14, FieldKind::Text};
inline constexpr RecordField<3> TaxAttachmentNumber{14, 86, 6, FieldKind::Digits, kCopiedByManagerCheque};
inline constexpr RecordField<3> TaxItemCount{15, 92, 2, FieldKind::Digits};
inline constexpr RecordField<3> TaxAmount{16, 94, 16, FieldKind::Digits, kCopiedByManagerCheque};
inline constexpr RecordField<3> InvoiceCount{17, 110, 6, FieldKind::Digits, kCopiedByManagerCheque};
inline constexpr RecordField<3> InvoiceAmount{18, 116, 16, FieldKind::Digits, kCopiedByManagerCheque};
inline constexpr RecordField<3> TaxPaidCode{19, 132, 1, FieldKind::Digits, kCopiedByManagerCheque};
inline constexpr RecordField<3> TaxText{20, 133, 40, FieldKind::Text};
inline constexpr RecordField<3> TaxDate{21, 173, 8, FieldKind::Date};
inline constexpr RecordField<3> ReceivingBankCode{22, 181, 3, FieldKind::Digits, kCopiedByMediaClearing};
inline constexpr RecordField<3> ReceivingBankName{23, 184, 35, FieldKind::Text};
inline constexpr RecordField<3> ReceivingBranchCode{24, 219, 4, FieldKind::Digits, kCopiedByMediaClearing};
inline constexpr RecordField<3> ReceivingBranchName{25, 223, 35, FieldKind::Text};
inline constexpr RecordField<3> Indicator1{26, 258, 1, FieldKind::Text};
inline constexpr RecordField<3> Indicator2{27, 259, 1, FieldKind::Text};
inline constexpr RecordField<3> ReferenceNumber{28, 260, 20, FieldKind::Text};
inline constexpr RecordField<3> Indicator3{29, 280, 1, FieldKind::Text};
inline constexpr RecordField<3> Filler1{30, 281, 3, FieldKind::Text};
inline constexpr RecordField<3> ServiceType{31, 284, 2, FieldKind::Text};
inline constexpr RecordField<3> Filler2{32, 286, 70, FieldKind::Text};
inline constexpr std::array<FieldSpec, 32> kFields{RecordType,
                                                   CreditSequence,
                                                   CreditAccount,
                                                   CreditAmount,
                                                   Currency,
                                                   BatchReference,
                                                   WithholdingTaxFlag,
                                                   InvoiceFlag,
                                                   Flag3,
                                                   ChequeMethod,
                                                   ChequeMethodDetail,
                                                   TaxForm,
                                                   TaxRunNumber,
                                                   TaxAttachmentNumber,
                                                   TaxItemCount,
                                                   TaxAmount,
                                                   InvoiceCount,
                                                   InvoiceAmount,
                                                   TaxPaidCode,
                                                   TaxText,
                                                   TaxDate,
                                                   ReceivingBankCode,
                                                   ReceivingBankName,
                                                   ReceivingBranchCode,
                                                   ReceivingBranchName,
                                                   Indicator1,
                                                   Indicator2,
                                                   ReferenceNumber,
                                                   Indicator3,
                                                   Filler1,
                                                   ServiceType,
                                                   Filler2};
}  // namespace Record003

namespace Record004 {
inline constexpr RecordField<4> RecordType{1, 1, 3, FieldKind::Literal, "004"};
inline constexpr RecordField<4> BatchReference{2, 4, 8, FieldKind::Digits, "00000001"};
inline constexpr RecordField<4> CreditSequence{3, 12, 6, FieldKind::Digits, "000001"};
inline constexpr RecordField<4> PayeeId{4, 18, 15, FieldKind::Text};
inline constexpr RecordField<4> PayeeNameThai{5, 33, 100, FieldKind::Text};
inline constexpr RecordField<4> PayeeText1{6, 133, 70, FieldKind::Text};
inline constexpr RecordField<4> PayeeText2{7, 203, 70, FieldKind::Text};
inline constexpr RecordField<4> PayeeText3{8, 273, 70, FieldKind::Text};
inline constexpr RecordField<4> PayeeTaxId{9, 343, 10, FieldKind::Text};
inline constexpr RecordField<4> PayeeNameEnglish{10, 353, 70, FieldKind::Text};
inline constexpr RecordField<4> Filler1{11, 423, 10, FieldKind::Text};
inline constexpr RecordField<4> Filler2{12, 433, 10, FieldKind::Text};
inline constexpr RecordField<4> Filler3{13, 443, 64, FieldKind::Text};
inline constexpr RecordField<4> Filler4{14, 507, 100, FieldKind::Text};
inline constexpr RecordField<4> Filler5{15, 607, 70, FieldKind::Text};
inline constexpr RecordField<4> Filler6{16, 677, 70, FieldKind::Text};
inline constexpr RecordField<4> Filler7{17, 747, 70, FieldKind::Text};
inline constexpr std::array<FieldSpec, 17> kFields{
    RecordType, BatchReference, CreditSequence, PayeeId,          PayeeNameThai, PayeeText1,
    PayeeText2, PayeeText3,     PayeeTaxId,     PayeeNameEnglish, Filler1,       Filler2,
    Filler3,    Filler4,        Filler5,        Filler6,          Filler7};
}  // namespace Record004

namespace Record005 {
inline constexpr RecordField<5> RecordType{1, 1, 3, FieldKind::Literal, "005"};
inline constexpr RecordField<5> BatchReference{2, 4, 8, FieldKind::Digits};
inline constexpr RecordField<5> CreditSequence{3, 12, 6, FieldKind::Digits};
inline constexpr RecordField<5> TaxSequence{4, 18, 2, FieldKind::Digits};
inline constexpr RecordField<5> TaxAmount{5, 20, 16, FieldKind::Digits};
inline constexpr RecordField<5> IncomeType{6, 36, 5, FieldKind::Text};
inline constexpr RecordField<5> IncomeDescription{7, 41, 80, FieldKind::Text};
inline constexpr RecordField<5> TaxRate{8, 121, 2, FieldKind::Digits};
inline constexpr RecordField<5> IncomeAmount{9, 123, 16, FieldKind::Digits};
inline constexpr std::array<FieldSpec, 9> kFields{RecordType,        BatchReference, CreditSequence,
                                                  TaxSequence,       TaxAmount,      IncomeType,
                                                  IncomeDescription, TaxRate,        IncomeAmount};
}  // namespace Record005

namespace Record006 {
inline constexpr RecordField<6> RecordType{1, 1, 3, FieldKind::Literal, "006"};
inline constexpr RecordField<6> BatchReference{2, 4, 8, FieldKind::Digits};
inline constexpr RecordField<6> CreditSequence{3, 12, 6, FieldKind::Digits};
inline constexpr RecordField<6> InvoiceSequence{4, 18, 6, FieldKind::Digits};
inline constexpr RecordField<6> InvoiceNumber{5, 24, 15, FieldKind::Text};
inline constexpr RecordField<6> InvoiceAmount{6, 39, 16, FieldKind::Signed, kCopiedByManagerCheque};
inline constexpr RecordField<6> InvoiceDate{7, 55, 8, FieldKind::Date};
inline constexpr RecordField<6> InvoiceDescription{8, 63, 70, FieldKind::Text};
inline constexpr RecordField<6> PurchaseOrderNumber{9, 133, 15, FieldKind::Text};
inline constexpr RecordField<6> VatAmount{10, 148, 16, FieldKind::Signed, kCopiedByManagerCheque};
inline constexpr RecordField<6> ChargeAmount{11, 164, 16, FieldKind::Signed, kCopiedByManagerCheque};
inline constexpr RecordField<6> TaxAmount{12, 180, 16, FieldKind::Signed, kCopiedByManagerCheque};
inline constexpr RecordField<6> PrintFlag{13, 196, 1, FieldKind::Text, "T"};
inline constexpr std::array<FieldSpec, 13> kFields{
    RecordType,    BatchReference, CreditSequence,     InvoiceSequence,     InvoiceNumber,
    InvoiceAmount, InvoiceDate,    InvoiceDescription, PurchaseOrderNumber, VatAmount,
    ChargeAmount,  TaxAmount,      PrintFlag};
}  // namespace Record006

// The trailer line.
namespace Record999 {
inline constexpr RecordField<999> RecordType{1, 1, 3, FieldKind::Literal, "999"};
inline constexpr RecordField<999> DebitCount{2, 4, 6, FieldKind::Literal, "000001"};
inline constexpr RecordField<999> CreditCount{3, 10, 6, FieldKind::Digits};
inline constexpr RecordField<999> TotalAmount{4, 16, 16, FieldKind::Digits};
inline constexpr std::array<FieldSpec, 4> kFields{RecordType, DebitCount, CreditCount, TotalAmount};
}  // namespace Record999

// The record types of the bank file in file order: 1 to 6, then 999.
inline constexpr std::array<int, 7> kRecordTypes{1, 2, 3, 4, 5, 6, 999};

// Every field of a record type, field 1 first; throws std::out_of_range for an unknown type.
std::span<const FieldSpec> recordFields(int recordType);
// The sum of the widths.
int recordLength(int recordType);

// "record 003", "the trailer"
std::string recordName(int recordType);

// True when the product may have copied the field from a source line as it stands; without a
// product, when any product may have.
bool copiedAsTyped(const FieldSpec& field, std::optional<Product> product);

}  // namespace convertor
