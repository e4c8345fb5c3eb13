-- Sample branches with invented names. The same branch code may stand under several banks.
INSERT INTO BRANCH (BRANCH_CODE, BANK_CODE, BRANCH_NAME_TH, BRANCH_NAME_EN, REGION_CODE) VALUES
    ('0001', '014', 'สาขาตัวอย่างสำนักงานใหญ่', 'Sample Head Office', '10'),
    ('0111', '014', 'สาขาตัวอย่างกลางเมือง', 'Sample City Centre', '10'),
    ('0234', '014', 'สาขาตัวอย่างริมน้ำ', 'Sample Riverside', '20'),
    ('0001', '004', 'สาขาตัวอย่างหนึ่ง', 'Sample Branch One', '10'),
    ('0010', '006', 'สาขาตัวอย่างตลาด', 'Sample Market', '30'),
    ('0101', '011', 'สาขาตัวอย่างสถานี', 'Sample Station', '40'),
    ('0005', '025', 'สาขาตัวอย่างเนินเขา', 'Sample Hillside', '50');
