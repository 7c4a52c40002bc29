-- Settings that belong to the embedded database file itself.
-- time_zone: the zone whose wall clock gives the start-up date, every stored
-- date and time and so the budget year. SQLite has no zone of its own and the
-- workstation's may be UTC; init records the zone it was given, and a file
-- made before this setting existed gets the shared server's default.
CREATE TABLE CostDesk_Setting (
  Name TEXT NOT NULL PRIMARY KEY,
  Value TEXT NOT NULL
);

INSERT INTO CostDesk_Setting (Name, Value) VALUES ('time_zone', 'Asia/Bangkok');
