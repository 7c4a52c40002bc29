-- Who did what: a row for every insert, update and delete of the audited
-- tables, written by costdesk_audit() from their triggers (made by the
-- migrator for each table, with its key columns as the arguments; see
-- data/Audit), never by the windows. At is the moment in UTC
-- (yyyy-mm-ddThh:mm:ssZ), shown in the zone of the database's clock; Who the
-- person the session signed in (costdesk.user) or else the session's role;
-- Session_Role the login the session uses. The old and new rows are JSON, a
-- password only as "changed".
CREATE TABLE T_Audit (
  Audit_No BIGSERIAL PRIMARY KEY,
  At TEXT NOT NULL,
  Who TEXT NOT NULL,
  Session_Role TEXT NOT NULL,
  Table_Name TEXT NOT NULL,
  Row_Key TEXT NOT NULL,
  Action TEXT NOT NULL,
  Old_Values TEXT,
  New_Values TEXT
);

CREATE INDEX T_Audit_Row ON T_Audit (Table_Name, Row_Key);

CREATE FUNCTION costdesk_audit() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
  old_row jsonb;
  new_row jsonb;
  key_row jsonb;
  row_key text := '';
  i integer;
BEGIN
  IF TG_OP IN ('UPDATE', 'DELETE') THEN
    old_row := to_jsonb(OLD);
  END IF;
  IF TG_OP IN ('INSERT', 'UPDATE') THEN
    new_row := to_jsonb(NEW);
  END IF;
  key_row := COALESCE(new_row, old_row);
  FOR i IN 0 .. TG_NARGS - 1 LOOP
    IF i > 0 THEN
      row_key := row_key || '/';
    END IF;
    row_key := row_key || COALESCE(key_row ->> TG_ARGV[i], '');
  END LOOP;
  IF key_row ? 'password' THEN
    IF new_row IS NOT NULL AND (old_row IS NULL OR (old_row ->> 'password') IS DISTINCT FROM (new_row ->> 'password')) THEN
      new_row := (new_row - 'password') || '{"password": "changed"}'::jsonb;
    ELSIF new_row IS NOT NULL THEN
      new_row := new_row - 'password';
    END IF;
    IF old_row IS NOT NULL THEN
      old_row := old_row - 'password';
    END IF;
  END IF;
  INSERT INTO T_Audit (At, Who, Session_Role, Table_Name, Row_Key, Action, Old_Values, New_Values)
  VALUES (to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS"Z"'),
          COALESCE(NULLIF(current_setting('costdesk.user', true), ''), session_user),
          session_user, TG_TABLE_NAME, row_key, left(TG_OP, 1), old_row::text, new_row::text);
  RETURN NULL;
END;
$$;

-- What is recorded stays as it was recorded.
CREATE FUNCTION costdesk_audit_kept() RETURNS trigger LANGUAGE plpgsql AS $$
BEGIN
  RAISE EXCEPTION 'T_Audit keeps what it recorded: rows are neither changed nor deleted';
END;
$$;

CREATE TRIGGER T_Audit_Kept BEFORE UPDATE OR DELETE ON T_Audit FOR EACH ROW EXECUTE FUNCTION costdesk_audit_kept();
