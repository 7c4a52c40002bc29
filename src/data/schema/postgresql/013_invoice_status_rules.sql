-- What the windows require of an invoice's status, kept by the database too,
-- whatever program or statement writes it: paid (P) only with the date it
-- was paid, remitted (R) only with the voucher's number and date. The
-- conditions stand in the triggers' WHEN, so a row that keeps the rules
-- costs no function call (a day's bank file moves thousands).
CREATE FUNCTION costdesk_refuse(message text) RETURNS void LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION '%', message;
END;
$$;

CREATE FUNCTION costdesk_paid_has_date() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  PERFORM costdesk_refuse('ใบแจ้งหนี้ที่ชำระเงินแล้วต้องมีวันที่ชำระเงิน');
  RETURN NULL;
END;
$$;

CREATE FUNCTION costdesk_remitted_has_voucher() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  PERFORM costdesk_refuse('ใบแจ้งหนี้ที่นำส่งแล้วต้องมีเลขที่และวันที่ใบนำส่ง');
  RETURN NULL;
END;
$$;

CREATE TRIGGER T_PayIn_Main_Paid_Has_Date BEFORE UPDATE OF Invoice_Status, Pay_In_Date ON T_PayIn_Main FOR EACH ROW WHEN (NEW.Invoice_Status = 'P' AND btrim(COALESCE(NEW.Pay_In_Date, ''), ' /') = '') EXECUTE FUNCTION costdesk_paid_has_date();

CREATE TRIGGER T_PayIn_Main_Remitted_Has_Voucher BEFORE UPDATE OF Invoice_Status, RV_No, RV_Date ON T_PayIn_Main FOR EACH ROW WHEN (NEW.Invoice_Status = 'R' AND (btrim(COALESCE(NEW.RV_No, '')) = '' OR btrim(COALESCE(NEW.RV_Date, ''), ' /') = '')) EXECUTE FUNCTION costdesk_remitted_has_voucher();
