// stub: being filled in
