namespace mirtal::support {}
