-- Withholding-tax code tables read by the cheque detail report. Descriptions are placeholders.
INSERT INTO WHT_FORM_TYPE (FORM_TYPE, FORM_NAME, FORM_DESC) VALUES
    ('01', 'Form 1', 'Withholding form for individuals'),
    ('02', 'Form 2', 'Withholding form for individuals, second kind'),
    ('03', 'Form 3', 'Withholding form for individuals, third kind'),
    ('53', 'Form 53', 'Withholding form for companies');

INSERT INTO WHT_TAX_TYPE (TAX_TYPE, TAX_DESC) VALUES
    ('1', 'Salaries and wages'),
    ('2', 'Fees and commissions'),
    ('3', 'Royalties'),
    ('4', 'Interest and dividends'),
    ('5', 'Rent and professional fees'),
    ('6', 'Several income types'),
    ('7', 'Contract work'),
    ('8', 'Other income');

INSERT INTO WHT_PAY_TYPE (PAY_TYPE, PAY_DESC) VALUES
    ('1', 'Withheld at source'),
    ('2', 'Paid every time'),
    ('3', 'Paid once');
