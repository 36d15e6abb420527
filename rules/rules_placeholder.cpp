// Keeps the rules library non-empty until its modules arrive.
namespace velmonar_rules_detail { int placeholder = 0; }
