-- An auditor looks the payments recorded from the bank's files up by the
-- invoice they paid; a day's import writing them takes a little longer.
CREATE INDEX T_Bank_Payment_Invoice ON T_Bank_Payment (Invoice_no);
