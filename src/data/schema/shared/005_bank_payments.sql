-- The bank's bill-payment files read in, and each payment they recorded.
-- A file is known by its SHA-256, so the same file read again writes nothing;
-- a payment by the bank's own key, so a record sent again in another file is
-- not applied twice. Amounts are ${money} columns, exact as in the invoice tables.
CREATE TABLE T_Bank_Import (
  File_SHA256 TEXT NOT NULL PRIMARY KEY,
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

CREATE TABLE T_Bank_Payment (
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
);

CREATE INDEX T_Bank_Payment_Invoice ON T_Bank_Payment (Invoice_no);
