namespace mirtal::bdmv {}
