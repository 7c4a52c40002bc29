-- What the monthly run issued: one row per invoice it wrote, in the same
-- transaction as the invoice, so that running the month again issues nothing
-- twice. Part numbers the invoices of a shop with more than seven fixed costs.
CREATE TABLE T_Monthly_Run (
  Run_Month TEXT NOT NULL,
  Cafeteria_Code TEXT NOT NULL,
  Part INTEGER NOT NULL,
  Invoice_no TEXT NOT NULL,
  Run_User TEXT,
  Run_At TEXT,
  PRIMARY KEY (Run_Month, Cafeteria_Code, Part)
);

-- Who cancelled an invoice, when and why; written with the status change.
CREATE TABLE T_Invoice_Cancel (
  Invoice_no TEXT NOT NULL PRIMARY KEY,
  Cancelled_By TEXT NOT NULL,
  Cancelled_At TEXT NOT NULL,
  Reason TEXT NOT NULL
);
