// Keeps this library non-empty until its modules arrive.
namespace velmonar_online_detail { int placeholder = 0; }
