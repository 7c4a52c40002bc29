-- Each person signs in to the server as a login of their own; the server
-- itself enforces what each rights level may do (the roles, the grants and
-- each person's login are made by the migrator and the account commands,
-- since their names hold the database's name). Here: the functions that
-- rules about rows and the sign-in need, owned by the schema's owner.

-- The signed-in person's user name: the session's role when it is one of
-- this database's people (a member of a level's group role), else NULL (the
-- schema's owner, a superuser, a maintenance login).
CREATE FUNCTION costdesk_person() RETURNS text LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog AS $$
  SELECT substr(session_user, length(current_database()) + 2)
  WHERE starts_with(session_user, current_database() || '.')
    AND EXISTS (SELECT 1 FROM pg_auth_members m
                JOIN pg_roles g ON g.oid = m.roleid
                JOIN pg_roles u ON u.oid = m.member
                WHERE u.rolname = session_user
                  AND g.rolname IN (current_database() || '_level3', current_database() || '_level6',
                                    current_database() || '_level9'))
$$;

-- The session person's rights level: 3, 6 or 9; NULL when not a person.
CREATE FUNCTION costdesk_level() RETURNS integer LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog AS $$
  SELECT max(substr(g.rolname, length(current_database()) + 7)::integer)
  FROM pg_auth_members m
  JOIN pg_roles g ON g.oid = m.roleid
  JOIN pg_roles u ON u.oid = m.member
  WHERE u.rolname = session_user
    AND g.rolname IN (current_database() || '_level3', current_database() || '_level6',
                      current_database() || '_level9')
$$;

-- The audit trail is written with the owner's rights, so that no
-- workstation may write T_Audit itself; a person is named by their own
-- login, which no setting can change. Only sessions that are nobody's (the
-- owner's tools) may say whom they act for.
CREATE OR REPLACE FUNCTION costdesk_audit_rows() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
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
                    COALESCE(costdesk_person(), NULLIF(current_setting('costdesk.user', true), ''), session_user),
                    TG_TABLE_NAME;
  RETURN NULL;
END;
$$;

-- Which level may move an invoice from one status to another: paid (A to
-- P) the levels that record payments, remitted (P to R) those that record
-- vouchers, cancelled (A to C) the administrator. No person moves it any
-- other way. Checked once a statement, over the statement's rows.
CREATE FUNCTION costdesk_status_moves() RETURNS trigger LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
DECLARE
  level integer := costdesk_level();
  move record;
BEGIN
  IF level IS NULL THEN
    RETURN NULL;
  END IF;
  FOR move IN SELECT DISTINCT o.Invoice_Status AS before, n.Invoice_Status AS after
              FROM old_rows o JOIN new_rows n ON n.Invoice_no = o.Invoice_no
              WHERE o.Invoice_Status IS DISTINCT FROM n.Invoice_Status LOOP
    IF NOT ((move.before = 'A' AND move.after = 'P' AND level IN (3, 9))
            OR (move.before = 'P' AND move.after = 'R' AND level IN (6, 9))
            OR (move.before = 'A' AND move.after = 'C' AND level = 9)) THEN
      RAISE EXCEPTION USING ERRCODE = '42501',
        MESSAGE = format('ผู้ใช้ระดับสิทธิ์ %s เปลี่ยนสถานะใบแจ้งหนี้จาก %s เป็น %s ไม่ได้', level, move.before, move.after);
    END IF;
  END LOOP;
  RETURN NULL;
END;
$$;

CREATE TRIGGER T_PayIn_Main_Status_Moves AFTER UPDATE ON T_PayIn_Main REFERENCING OLD TABLE AS old_rows NEW TABLE AS new_rows FOR EACH STATEMENT EXECUTE FUNCTION costdesk_status_moves();

-- Sign-in, through the gate login before anyone is signed in: a name is
-- locked after five wrong passwords within fifteen minutes, for fifteen
-- minutes, on the server's clock.
CREATE FUNCTION costdesk_sign_in_locked(user_name text) RETURNS boolean LANGUAGE sql STABLE SECURITY DEFINER SET search_path = public, pg_temp AS $$
  SELECT EXISTS (SELECT 1 FROM T_Sign_In_Failure
                 WHERE Username = user_name AND Locks = 1
                   AND Failed_At > to_char(LOCALTIMESTAMP - interval '15 minutes', 'YYYY-MM-DD HH24:MI:SS'))
$$;

-- Records one wrong password for the name; true when the name is locked now.
CREATE FUNCTION costdesk_sign_in_failed(user_name text) RETURNS boolean LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
DECLARE
  stamp text := to_char(LOCALTIMESTAMP, 'YYYY-MM-DD HH24:MI:SS');
  before integer;
BEGIN
  -- Workstations trying one name at once count each other's failures.
  PERFORM pg_advisory_xact_lock(hashtext('costdesk sign-in ' || user_name));
  SELECT count(*) INTO before FROM T_Sign_In_Failure
  WHERE Username = user_name AND Failed_At > to_char(LOCALTIMESTAMP - interval '15 minutes', 'YYYY-MM-DD HH24:MI:SS');
  INSERT INTO T_Sign_In_Failure (Username, Failed_At, Locks) VALUES (user_name, stamp, CASE WHEN before + 1 >= 5 THEN 1 ELSE 0 END);
  DELETE FROM T_Sign_In_Failure WHERE Failed_At < to_char(LOCALTIMESTAMP - interval '30 minutes', 'YYYY-MM-DD HH24:MI:SS');
  RETURN before + 1 >= 5;
END;
$$;

-- A person who signed in forgets their own failures, nobody else's.
CREATE FUNCTION costdesk_sign_in_succeeded() RETURNS void LANGUAGE sql SECURITY DEFINER SET search_path = public, pg_temp AS $$
  DELETE FROM T_Sign_In_Failure WHERE Username = costdesk_person()
$$;

REVOKE EXECUTE ON FUNCTION costdesk_sign_in_locked(text), costdesk_sign_in_failed(text), costdesk_sign_in_succeeded() FROM PUBLIC;

-- Keeps the login of an account in step with its T_USER row: made when
-- missing, given the password's verifier (made by the client: never the
-- password itself), put in its level's group and no other, let in or kept
-- out. A NULL leaves that part as it is. For the administrator (level 9)
-- and the schema's owner; the logins it touches are this database's people
-- only.
CREATE FUNCTION costdesk_keep_login(user_name text, verifier text, level integer, enabled boolean) RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = public, pg_temp AS $$
DECLARE
  caller integer := costdesk_level();
  person text := current_database() || '.' || user_name;
  wanted text := current_database() || '_level' || level;
  held text;
BEGIN
  IF caller IS NOT NULL AND caller <> 9 THEN
    RAISE EXCEPTION USING ERRCODE = '42501', MESSAGE = 'เฉพาะผู้ดูแลระบบ (ระดับสิทธิ์ 9) จัดการบัญชีผู้ใช้ได้';
  END IF;
  IF octet_length(person) > 63 THEN
    RAISE EXCEPTION USING ERRCODE = '22023', MESSAGE = format('ชื่อผู้ใช้ %s ยาวเกินกว่าที่ฐานข้อมูลบนเครื่องแม่ข่ายรับได้', user_name);
  END IF;
  IF verifier IS NOT NULL AND verifier NOT LIKE 'SCRAM-SHA-256$%' THEN
    RAISE EXCEPTION USING ERRCODE = '22023', MESSAGE = 'a login takes a SCRAM verifier, never a password';
  END IF;
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = person) THEN
    EXECUTE format('CREATE ROLE %I NOLOGIN', person);
  END IF;
  IF verifier IS NOT NULL THEN
    EXECUTE format('ALTER ROLE %I PASSWORD %L', person, verifier);
  END IF;
  IF level IS NOT NULL THEN
    FOR held IN SELECT g.rolname FROM pg_auth_members m
                JOIN pg_roles g ON g.oid = m.roleid
                JOIN pg_roles u ON u.oid = m.member
                WHERE u.rolname = person
                  AND g.rolname IN (current_database() || '_level3', current_database() || '_level6',
                                    current_database() || '_level9') LOOP
      IF held <> wanted THEN
        EXECUTE format('REVOKE %I FROM %I', held, person);
      END IF;
    END LOOP;
    -- Any other level (a guest's) has no group, and nothing to sign in to.
    IF level IN (3, 6, 9) AND NOT pg_has_role(person, wanted, 'MEMBER') THEN
      EXECUTE format('GRANT %I TO %I', wanted, person);
    END IF;
  END IF;
  IF enabled IS NOT NULL THEN
    EXECUTE format('ALTER ROLE %I %s', person, CASE WHEN enabled THEN 'LOGIN' ELSE 'NOLOGIN' END);
  END IF;
END;
$$;

REVOKE EXECUTE ON FUNCTION costdesk_keep_login(text, text, integer, boolean) FROM PUBLIC;
