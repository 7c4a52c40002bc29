-- Each payment recorded from a bank's file points to its import by the
-- import's number instead of the file's SHA-256: 64 characters less in every
-- one of a day's tens of thousands of rows. The imports are numbered in the
-- order they were recorded; the SHA-256 stays, unique to each import.
CREATE TABLE T_Bank_Import_New (
  Import_No INTEGER PRIMARY KEY,
  File_SHA256 TEXT NOT NULL UNIQUE,
  File_Name TEXT NOT NULL,
  Bank_Code TEXT NOT NULL,
  Effective_Date TEXT NOT NULL,
  Import_User TEXT NOT NULL,
  Import_At TEXT NOT NULL,
  Record_Count INTEGER NOT NULL,
  Matched_Count INTEGER NOT NULL,
  Matched_Total ${money} NOT NULL,
  Other_Count INTEGER NOT NULL,
  Other_Total ${money} NOT NULL
);

INSERT INTO T_Bank_Import_New (File_SHA256, File_Name, Bank_Code, Effective_Date, Import_User, Import_At,
  Record_Count, Matched_Count, Matched_Total, Other_Count, Other_Total)
SELECT File_SHA256, File_Name, Bank_Code, Effective_Date, Import_User, Import_At,
  Record_Count, Matched_Count, Matched_Total, Other_Count, Other_Total
FROM T_Bank_Import
ORDER BY rowid;

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
  Import_No INTEGER NOT NULL REFERENCES T_Bank_Import (Import_No),
  PRIMARY KEY (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount)
) WITHOUT ROWID;

-- A payment without its import would stop the upgrade here rather than be
-- left behind.
INSERT INTO T_Bank_Payment_New (Bank_Code, Payment_Date, Payment_Time, Bank_Sequence, Reference1, Amount,
  Reference2, Invoice_no, Customer_Name, Branch, Teller, Biller_ID, Import_No)
SELECT p.Bank_Code, p.Payment_Date, p.Payment_Time, p.Bank_Sequence, p.Reference1, p.Amount,
  p.Reference2, p.Invoice_no, p.Customer_Name, p.Branch, p.Teller, p.Biller_ID, i.Import_No
FROM T_Bank_Payment p LEFT JOIN T_Bank_Import_New i ON i.File_SHA256 = p.File_SHA256;

DROP TABLE T_Bank_Payment;

DROP TABLE T_Bank_Import;

ALTER TABLE T_Bank_Import_New RENAME TO T_Bank_Import;

ALTER TABLE T_Bank_Payment_New RENAME TO T_Bank_Payment;
