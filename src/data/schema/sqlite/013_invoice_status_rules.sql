-- What the windows require of an invoice's status, kept by the database too,
-- whatever program or statement writes it: paid (P) only with the date it
-- was paid, remitted (R) only with the voucher's number and date.
CREATE TRIGGER T_PayIn_Main_Paid_Has_Date BEFORE UPDATE OF Invoice_Status, Pay_In_Date ON T_PayIn_Main WHEN NEW.Invoice_Status = 'P' AND trim(COALESCE(NEW.Pay_In_Date, ''), ' /') = '' BEGIN SELECT RAISE(ABORT, 'ใบแจ้งหนี้ที่ชำระเงินแล้วต้องมีวันที่ชำระเงิน'); END;

CREATE TRIGGER T_PayIn_Main_Remitted_Has_Voucher BEFORE UPDATE OF Invoice_Status, RV_No, RV_Date ON T_PayIn_Main WHEN NEW.Invoice_Status = 'R' AND (trim(COALESCE(NEW.RV_No, '')) = '' OR trim(COALESCE(NEW.RV_Date, ''), ' /') = '') BEGIN SELECT RAISE(ABORT, 'ใบแจ้งหนี้ที่นำส่งแล้วต้องมีเลขที่และวันที่ใบนำส่ง'); END;
