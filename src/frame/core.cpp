namespace frame {}
