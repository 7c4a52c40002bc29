-- Accounts kept without writing SQL.
-- A user name names one account: two workstations adding the same name at
-- the same instant cannot both succeed.
CREATE UNIQUE INDEX T_USER_Username ON T_USER (Username);
-- An account that may no longer sign in keeps its row (its name stands on
-- what it recorded); 1 signs in, 0 does not.
ALTER TABLE T_USER ADD COLUMN Enabled INTEGER NOT NULL DEFAULT 1;
