file(READ ${SCHEMA} schema)
file(READ ${INITIAL} initial)
file(WRITE ${OUT} "// Generated from data/schema.sql and data/initial.sql.\n"
  "extern const char kSchemaSql[];\nextern const char kInitialSql[];\n"
  "const char kSchemaSql[] = R\"SQL(${schema})SQL\";\n"
  "const char kInitialSql[] = R\"SQL(${initial})SQL\";\n")
