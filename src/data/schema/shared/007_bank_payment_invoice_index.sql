-- The payments recorded from the bank's files are looked up by the bank's own
-- key (so that a record is never applied twice) and by their file; nothing
-- reads them by invoice number. An index on it only made every import, which
-- writes tens of thousands of payments at once, spend a quarter longer
-- writing them.
DROP INDEX T_Bank_Payment_Invoice;
