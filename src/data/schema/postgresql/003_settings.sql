-- Settings that belong to the database itself. PostgreSQL keeps the time
-- zone of its clock as the database's own setting (ALTER DATABASE ... SET
-- timezone, done by init), so the table starts empty here; it exists on both
-- engines alike.
CREATE TABLE CostDesk_Setting (
  Name TEXT NOT NULL PRIMARY KEY,
  Value TEXT NOT NULL
);
