-- Who did what: a row for every insert, update and delete of the audited
-- tables, written by costdesk_audit_rows() from their statement triggers
-- (made by the migrator for each table, with its key columns as the
-- arguments; see data/Audit), never by the windows. At is the moment in UTC
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

-- Looked up by key or period rarely (the administrator's history window),
-- written with every change: no index of its own.

-- A row's values as the audit keeps them: the old row without its password,
-- the new one with the password only as "changed" when it changed.
CREATE FUNCTION costdesk_audit_old(o jsonb) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN o ? 'password' THEN (o - 'password')::text ELSE o::text END
$$;

CREATE FUNCTION costdesk_audit_new(o jsonb, n jsonb) RETURNS text LANGUAGE sql IMMUTABLE AS $$
  SELECT CASE WHEN NOT n ? 'password' THEN n::text
              WHEN o IS NULL OR (o ->> 'password') IS DISTINCT FROM (n ->> 'password')
              THEN ((n - 'password') || '{"password": "changed"}'::jsonb)::text
              ELSE (n - 'password')::text END
$$;

-- One statement's rows at once, from its transition tables (old_rows,
-- new_rows): a day's bank file moves thousands of invoices in a few
-- statements. The arguments are the key columns; an update pairs each old
-- row with the new row of the same key (compared as the key's text, which
-- the server joins by hashing).
CREATE FUNCTION costdesk_audit_rows() RETURNS trigger LANGUAGE plpgsql AS $$
DECLARE
  key_new text := '';
  key_old text := '';
  i integer;
  sql text;
BEGIN
  FOR i IN 0 .. TG_NARGS - 1 LOOP
    IF i > 0 THEN
      key_new := key_new || ' || ''/'' || ';
      key_old := key_old || ' || ''/'' || ';
    END IF;
    key_new := key_new || format('COALESCE(n.%I::text, '''')', TG_ARGV[i]);
    key_old := key_old || format('COALESCE(o.%I::text, '''')', TG_ARGV[i]);
  END LOOP;
  sql := 'INSERT INTO T_Audit (At, Who, Session_Role, Table_Name, Row_Key, Action, Old_Values, New_Values) ';
  IF TG_OP = 'INSERT' THEN
    sql := sql || format('SELECT $1, $2, session_user, $3, %s, ''I'', NULL, costdesk_audit_new(NULL, to_jsonb(n)) '
                         || 'FROM new_rows n', key_new);
  ELSIF TG_OP = 'UPDATE' THEN
    sql := sql || format('SELECT $1, $2, session_user, $3, %s, ''U'', costdesk_audit_old(to_jsonb(o)), '
                         || 'costdesk_audit_new(to_jsonb(o), to_jsonb(n)) FROM old_rows o JOIN new_rows n ON %s = %s',
                         key_new, key_old, key_new);
  ELSE
    sql := sql || format('SELECT $1, $2, session_user, $3, %s, ''D'', costdesk_audit_old(to_jsonb(o)), NULL '
                         || 'FROM old_rows o', key_old);
  END IF;
  EXECUTE sql USING to_char(now() AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS"Z"'),
                    COALESCE(NULLIF(current_setting('costdesk.user', true), ''), session_user),
                    TG_TABLE_NAME;
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
