#!/usr/bin/env python3
"""Writes the cheque payment and invoice files of the tests (code page 874, CR LF).

Run from this folder; the files are checked in, so this only matters when a case changes.
"""


def account(nine):
    weights = [4, 3, 2, 7, 6, 5, 4, 3, 2]
    total = sum(w * int(d) for w, d in zip(weights, nine))
    return nine + str((10 - total % 10) % 10)


DEBIT = account("123456789")      # 1234567896
DEBIT_LAST = account("001111111")

PAYMENT_COLUMNS = {
    "key": (1, 26), "debit": (27, 36), "due": (37, 46), "amount": (47, 59), "invoiceAmount": (60, 72),
    "unread1": (73, 85), "wht": (86, 94), "vat": (95, 103), "whtFlag": (104, 104), "ref": (105, 124),
    "method": (127, 127), "indicator": (128, 128), "invoiceFlag": (129, 129), "invoiceCount": (130, 132),
    "payeeId": (133, 147), "name": (148, 217), "text1": (218, 287), "text2": (288, 337),
    "text3": (338, 387), "taxId": (404, 413), "taxForm": (414, 414), "taxDate": (415, 424),
    "taxRun": (425, 438), "taxAttach": (439, 443), "incomeType": (444, 444), "descriptions": (445, 514),
    "taxPaid": (515, 515), "taxText": (516, 555), "branch": (601, 605), "tax1": (616, 624),
    "tax2": (625, 633), "income1": (634, 646), "income2": (647, 659), "tax3": (660, 668),
    "income3": (669, 681),
}

INVOICE_COLUMNS = {
    "key": (1, 26), "number": (27, 41), "amount": (52, 64), "date": (65, 74), "po": (125, 139),
    "vat": (140, 148), "charge": (149, 157), "wht": (158, 166), "tail": (167, 200),
}


def build(columns, width, values):
    line = bytearray(b" " * width)
    for name, text in values.items():
        first, last = columns[name]
        data = text.encode("cp874")
        size = last - first + 1
        assert len(data) <= size, (name, text)
        line[first - 1:first - 1 + len(data)] = data
    return bytes(line)


def payment(**values):
    base = {
        "debit": DEBIT, "due": "2030/05/01", "invoiceAmount": "0" * 13, "wht": "0" * 9, "vat": "0" * 9,
        "whtFlag": "0", "invoiceFlag": "0", "invoiceCount": "000", "taxForm": "1", "taxDate": "2030/04/30",
        "taxRun": "RUN00000000001", "taxAttach": "  12 ", "incomeType": "1", "taxPaid": "1",
        "tax1": "0" * 9, "tax2": "0" * 9, "income1": "0" * 13, "income2": "0" * 13, "tax3": "0" * 9,
        "income3": "0" * 13, "unread1": "UNREAD-COLUMN",
    }
    base.update(values)
    return build(PAYMENT_COLUMNS, 700, base)


def invoice(**values):
    base = {"date": "2030/04/15", "vat": "0" * 9, "charge": "0" * 9, "wht": "0" * 9, "tail": "NOT READ"}
    base.update(values)
    return build(INVOICE_COLUMNS, 200, base)


def key(n):
    return "PAYKEY%020d" % n


def write(name, lines):
    with open(name, "wb") as out:
        for line in lines:
            out.write(line + b"\r\n")


THAI_NAME = "บริษัท ทดสอบ จำกัด"
DESCRIPTIONS = "FIRST-DESCRIPTION-20" + "SECOND-DESCRIPTIO-20" + "THIRD-DESCRIPTION-30-CHARS-XYZ"
assert len(DESCRIPTIONS) == 70

basic = [
    # 1: Latin payee, single tax item (30.00 on 1,000.00), two invoices, cheque method C.
    payment(key=key(1), amount="0000000123456", invoiceAmount="0000000100000", wht="000003000",
            vat="000000700", whtFlag="1", ref="REF-0001", method="2", indicator="1", invoiceFlag="1",
            invoiceCount="002", payeeId="PAYEE-001", name="JOHN SMITH TRADING CO LTD", text1="12 MAIN ROAD",
            text2="BANGKOK", text3="10110", taxId="1234567890", taxForm="1", incomeType="1",
            descriptions=DESCRIPTIONS, taxText="TAX TEXT ONE"),
    # 2: Thai payee, three-item layout with items 1 and 3 (rates 2.5 and 3.5), one invoice with
    #    negative amounts, a tax-paid code the lookup table does not know.
    payment(key=key(2), amount="0000000001000", whtFlag="1", ref="REF-0002", method="1",
            invoiceFlag="1", invoiceCount="001", invoiceAmount="0000000005000", payeeId="PAYEE-002",
            name=THAI_NAME, text1="ถนนสุขุมวิท", taxForm="7", incomeType="6", descriptions=DESCRIPTIONS,
            taxPaid="9", branch="  111", tax1="000002500", income1="0000000100000", tax3="000003500",
            income3="0000000100000"),
    # 3: zero amount; its two invoice lines stand in the invoice file.
    payment(key=key(3), amount="0000000000000", invoiceFlag="1", invoiceCount="002", name="ZERO AMOUNT"),
    # 4: three-item layout with item 1 only, cheque method M, branch " 25  ".
    payment(key=key(4), amount="0000000050000", whtFlag="1", method="3", invoiceFlag="1",
            invoiceCount="001", invoiceAmount="0000000050000", name="SINGLE ITEM SIX", taxForm="4",
            taxPaid="2", incomeType="6", descriptions=DESCRIPTIONS, branch=" 25  ", tax1="000001000",
            income1="0000000050000"),
    # 5: negative amount; one invoice line stands in the file for it.
    payment(key=key(5), amount="-000000001000", invoiceFlag="1", invoiceCount="001", name="NEGATIVE"),
    # 6: three-item layout, third tax amount blank: counted, not written.
    payment(key=key(6), amount="0000000020000", whtFlag="1", name="BLANK THIRD ITEM", taxForm="3",
            incomeType="6", descriptions=DESCRIPTIONS, tax1="000001000", income1="0000000050000",
            tax2="000000500", income2="0000000050000", tax3="         ", income3="             "),
    # 7: tax form without a lookup row; invoice flag with count 000 discards line 5's invoice.
    payment(key=key(7), amount="0000000030000", whtFlag="1", invoiceFlag="1", invoiceCount="000",
            invoiceAmount="0000000050000", wht="000001500", name="NO FORM ROW", taxForm="9",
            incomeType="5"),
    # 8: tax columns filled but no withholding-tax flag; due date written with hyphens.
    payment(key=key(8), amount="0000000000150", due="2030-06-15", invoiceFlag="1", invoiceCount="001",
            invoiceAmount="0000000000150", wht="000000010", tax1="000000100", income1="0000000001000",
            name="NO TAX FLAG", incomeType="6"),
    # 9: single-item layout whose tax amount is zero: no record 005, item count still 01.
    payment(key=key(9), amount="0000000000001", whtFlag="1", name="ZERO SINGLE ITEM", incomeType="2"),
    # 10: last line rejected for its amount; its due date and account still make record 002.
    payment(key=key(10), amount="0000000000000", debit=DEBIT_LAST, due="2030-07-01", invoiceFlag="1",
            invoiceCount="001", name="LAST ZERO"),
]
write("basic.txt", basic)
write("basic_inv.txt", [
    invoice(key=key(1), number="INV-0001-A", amount="0000000060000", po="PO-1", vat="000004200",
            charge="000000100", wht="000001800"),
    invoice(key=key(1), number="INV-0001-B", amount="0000000040000", po="PO-2"),
    invoice(key=key(2), number="CN-0002", amount="-000000005000", date="2030-03-31", po="PO-3",
            vat="-00000350", charge="000000100", wht="-00000150"),
    invoice(key=key(3), number="SKIPPED-1"),
    invoice(key=key(3), number="SKIPPED-2"),
    invoice(key=key(4), number="INV-0004", amount="0000000050000"),
    invoice(key=key(5), number="SKIPPED-3"),
    invoice(key=key(8), number="INV-0008", amount="0000000000150"),
    invoice(key=key(10), number="NEVER-READ"),
])

# An accepted payment without the invoice flag leaves its invoice line for the next payment.
write("mismatch.txt", [
    payment(key=key(1), amount="0000000010000", invoiceCount="001", name="NO FLAG"),
    payment(key=key(2), amount="0000000010000", invoiceFlag="1", invoiceCount="001", name="WITH FLAG"),
])
write("mismatch_inv.txt", [invoice(key=key(1), number="INV-1"), invoice(key=key(2), number="INV-2")])

# One plain cheque the tests patch column by column.
write("single.txt", [payment(key=key(1), amount="0000000123456", name="PLAIN CHEQUE", method="2")])
write("single_inv.txt", [invoice(key=key(1), number="INV-1", amount="0000000123456")])
