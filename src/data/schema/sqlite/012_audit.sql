-- Who did what: a row for every insert, update and delete of the audited
-- tables, written by their triggers (made from the tables' columns by the
-- migrator, data/Audit), never by the windows. At is the moment in UTC
-- (yyyy-mm-ddThh:mm:ssZ), shown in the zone of the database's clock;
-- Who the person signed in (or the command's --user, or the system account
-- in brackets); Session_Role the system account of the process. The old and
-- new rows are JSON, a password only as "changed".
CREATE TABLE T_Audit (
  -- Never reused: no row of T_Audit is ever deleted.
  Audit_No INTEGER PRIMARY KEY,
  At TEXT NOT NULL,
  Who TEXT NOT NULL,
  Session_Role TEXT NOT NULL,
  Table_Name TEXT NOT NULL,
  Row_Key TEXT NOT NULL,
  Action TEXT NOT NULL,
  Old_Values TEXT,
  New_Values TEXT
);

-- Looked up by key or period rarely (the administrator's history window), written
-- with every change: no index of its own, which on a day's bank file would
-- cost a fifth of the import.

-- What is recorded stays as it was recorded.
CREATE TRIGGER T_Audit_Kept_Update BEFORE UPDATE ON T_Audit BEGIN SELECT RAISE(ABORT, 'T_Audit keeps what it recorded: rows are neither changed nor deleted'); END;

CREATE TRIGGER T_Audit_Kept_Delete BEFORE DELETE ON T_Audit BEGIN SELECT RAISE(ABORT, 'T_Audit keeps what it recorded: rows are neither changed nor deleted'); END;
