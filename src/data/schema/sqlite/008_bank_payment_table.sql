-- The payments recorded from the bank's files, kept in the order of their key
-- alone (WITHOUT ROWID): a table keyed by six columns was a table of rows plus
-- an index of those six columns beside it, and every payment was written into
-- both. The columns, their key and every row stay as they were.
CREATE TABLE T_Bank_Payment_New (
  Bank_Code TEXT NOT NULL,
  Payment_Date TEXT NOT NULL,
  Payment_Time TEXT NOT NULL,
  Bank_Sequence INTEGER NOT NULL,
  Reference1 TEXT NOT NULL,
  Amount ${money} NOT NULL,
  Reference2 TEXT NOT NULL,
  Invoice_no TEXT NOT NULL,
  Customer_Name TEXT NOT NULL,
  Branch TEXT NOT NULL,
  Teller TEXT NOT NULL,
  Biller_ID TEXT NOT NULL,
  File_SHA256 TEXT NOT NULL REFERENCES T_Bank_Import (File_SHA256),
  PRIMARY KEY (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount)
) WITHOUT ROWID;

INSERT INTO T_Bank_Payment_New (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount,
  Reference2, Invoice_no, Customer_Name, Branch, Teller, Biller_ID, File_SHA256)
SELECT Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount,
  Reference2, Invoice_no, Customer_Name, Branch, Teller, Biller_ID, File_SHA256
FROM T_Bank_Payment;

DROP TABLE T_Bank_Payment;

ALTER TABLE T_Bank_Payment_New RENAME TO T_Bank_Payment;
