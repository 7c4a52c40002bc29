-- The overdue listing reads the unpaid invoices due before a day, shop by
-- shop: one index serves its condition.
CREATE INDEX IX_T_PayIn_Main_Status_Due ON T_PayIn_Main (Invoice_Status, Date_Must_Pay_Num);
