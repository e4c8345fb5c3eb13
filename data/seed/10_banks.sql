-- Sample banks. "014" is the bank itself; the names are invented placeholders.
INSERT INTO Bank (BANK_CODE, BANK_NAME_TH, BANK_NAME_EN) VALUES
    ('014', 'ธนาคารตัวอย่างหลัก', 'Sample Home Bank'),
    ('004', 'ธนาคารตัวอย่างพาณิชย์', 'Sample Commercial Bank'),
    ('006', 'ธนาคารตัวอย่างออมทรัพย์', 'Sample Savings Bank'),
    ('011', 'ธนาคารตัวอย่างการค้า', 'Sample Trade Bank'),
    ('025', 'ธนาคารตัวอย่างสหกรณ์', 'Sample Cooperative Bank');
